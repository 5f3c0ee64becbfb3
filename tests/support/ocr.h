#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "screen_items.h"

// The screen state of the game's default 1280 x 768 window showing `points`.
ScreenState windowState(std::int32_t points);

// What tesseract reads as one line of text in a rectangle of an image (origin top-left), once
// for each enlargement it tries, with white space folded to one blank.
std::vector<std::string> readTextLine(const std::filesystem::path& image, int left, int top, int width, int height);

// The readings of an overlay's text item from a screenshot of a window `windowHeight` high.
std::vector<std::string> readTextItem(const std::filesystem::path& image, const TextItem& item, int windowHeight);

// Whether one of the readings is `expected`, ignoring white space and the letter O for zero.
bool readsAs(const std::vector<std::string>& readings, const std::string& expected);

// Fails the current test for every text item of `items` that does not read back from `shot`.
void expectLegible(const std::filesystem::path& shot, const std::vector<ScreenItem>& items, int windowHeight = 768);

// Writes the X window's current picture to `image` (a PNG).
bool captureWindow(const std::string& windowId, const std::filesystem::path& image);
