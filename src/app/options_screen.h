#pragma once

#include "gamepad.h"
#include "options_menu.h"
#include "window_input.h"

// Feeds the options menu what the player did since the last frame: the keys and clicks the
// window gathered (which it takes), the pointer, and the gamepad. The pointer is in window
// coordinates; `scale` turns them into the framebuffer's `width` x `height` pixels. Moving the
// pointer over a row chooses it; a left click then raises its value or works it, a right click
// lowers its value. Returns the key events that came after the menu closed, for the screen it
// went back to (without the releases of keys the menu had).
std::vector<KeyEvent> workOptionsMenu(OptionsMenu& menu, WindowInput& input, const PadReading& pad, float scale,
                                      int width, int height);
