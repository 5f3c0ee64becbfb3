#pragma once

#include <string>

#include "player_options.h"

// The options screen as a list of rows: the volumes, the mouse, the window, the keys of the
// actions, and Back. One row is chosen; keys, the mouse and a gamepad move the choice and change
// the chosen option. Every change shows at once in options(); the game applies and saves them.
class OptionsMenu {
public:
    enum Row {
        MasterVolume,
        MusicVolume,
        EffectsVolume,
        MouseSensitivity,
        InvertMouseY,
        Fullscreen,
        GraphicsQuality,
        PauseOnFocusLoss,
        ShowFrameRate,
        Ghost,
        TextSize,
        FirstKey,
        Back = FirstKey + kActionCount,
        RowCount,
    };
    static constexpr int kSettingRows = FirstKey;

    // `windowSamples`: the multisampling of the window the game has now, which a quality that
    // wants another gets only at the next start.
    explicit OptionsMenu(const PlayerOptions& options, int windowSamples = 4);

    void up();
    void down();
    void choose(int row);
    // Lowers or raises the chosen value; switches the chosen on/off option.
    void lower();
    void raise();
    // Switches an on/off option, starts waiting for a key for an action, or goes back.
    void activate();
    // Back, or, while waiting for a key, no new key after all.
    void back();
    // Takes options that changed elsewhere (F11 switched fullscreen) as its own.
    void follow(const PlayerOptions& options) { current = options; }
    // A key pressed while the menu is open: the new key of the action waiting for one, or the
    // menu's own keys (the arrows, Enter and Escape).
    void keyPressed(int key);

    const PlayerOptions& options() const { return current; }
    int chosen() const { return chosenRow; }
    bool waitingForKey() const { return waiting; }
    bool closed() const { return done; }
    // What the last change said, when it had something to say (a key swapped or refused).
    const std::string& message() const { return said; }

    // A row's name and its value as the screen shows them.
    std::string label(int row) const;
    std::string value(int row) const;

private:
    void step(int direction);

    void stepQuality(int direction);
    // One size up or down; with `roundTheEnds`, from the largest back to the smallest.
    void stepTextSize(int direction, bool roundTheEnds);

    PlayerOptions current;
    int windowSamples;
    int chosenRow = MasterVolume;
    bool waiting = false;
    bool done = false;
    std::string said;
};
