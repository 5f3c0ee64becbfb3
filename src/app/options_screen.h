#pragma once

#include <vector>

#include "options_menu.h"
#include "screen.h"

// The options screen, opened from the pause screen: it takes every key (but the fullscreen
// keys), the pointer and the gamepad for its menu. Each change reaches the session at once, which
// applies and saves it. Back closes it; the releases of the keys it took the presses of stay with
// it even then (Escape closes it on the press, and the release may come a poll later).
class OptionsScreen : public Screen {
public:
    // `windowSamples`: the multisampling of the window the game has now.
    OptionsScreen(const PlayerOptions& options, int windowSamples);

    void startFrame(Session& session) override;
    bool key(Session& session, const KeyEvent& event) override;
    void pad(Session& session, const PadReading& pad) override;
    // Moving the pointer over a row chooses it; a left click then raises its value or works it, a
    // right click lowers its value.
    void pointer(Session& session, const PointerInput& pointer) override;
    void items(const Session& session, std::vector<ScreenItem>& items) const override;
    bool freesPointer() const override { return true; }

    const OptionsMenu& menu() const { return optionsMenu; }

private:
    // The menu's options reach the session; a closed menu closes the screen.
    void afterInput(Session& session);

    OptionsMenu optionsMenu;
    std::vector<int> heldKeys; // pressed while the screen was open, not released yet
};

// Where a row of the options screen stands in a window of that size: the left edges of its
// label and value, their bottom, the text size, and the span of x a click on it falls in.
struct OptionsRowPlace {
    int labelX, valueX, y, size;
    int left, right;
};
OptionsRowPlace optionsRowPlace(int row, int width, int height);
// The row under a point of the window (pixels from the bottom left), or -1.
int optionsRowAt(float x, float y, int width, int height);

// The options screen: its title, every row with its value, the chosen one marked, and what the
// last change said.
void optionsScreenItems(const OptionsMenu& menu, int width, int height, std::vector<ScreenItem>& items);
