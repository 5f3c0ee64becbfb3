#pragma once

#include <vector>

#include "screen_items.h"

// Grows a screen's items for a larger text size (`percent` of the screens' own, 100 leaves them
// exactly as they are) and keeps them inside a window of `width` x `height` pixels, apart:
// - a panel that holds text grows with it about the corner or edge of the window it sits by (the
//   HUD's corners), and its text with it;
// - a line of text grows about its own middle, the items of one line together; where lines or
//   panels would now overlap, or leave the window, they move apart and inside;
// - panels that fill the window's width or a quarter of it (backgrounds), and panels that hold no
//   text (the replay bar's track and marker), stay as they are.
void applyTextSize(std::vector<ScreenItem>& items, int percent, int width, int height);

// A point on a line of `shown`, which is `written` after applyTextSize, moved to the same place
// on that line in `written`; a point on no line stays where it is.
void pointedBeforeTextSize(const std::vector<ScreenItem>& written, const std::vector<ScreenItem>& shown, float& x,
                           float& y);

// The rectangle the glyphs of a line cover, in window pixels from the bottom left.
struct TextBox {
    float left = 0, bottom = 0, right = 0, top = 0;
};
TextBox inkOf(const TextItem& text);
