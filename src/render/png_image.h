#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A PNG file's bytes for an 8-bit RGB picture given as GL reads it back: `rgb` holds `height`
// rows of 3 x `width` bytes, the bottom row first. The file runs from the top row down.
std::string encodePng(int width, int height, const std::vector<std::uint8_t>& rgb);
