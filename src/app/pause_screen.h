#pragma once

#include "game_world.h"
#include "screen.h"

// Over a paused run: Escape resumes it, Q quits the game, O opens the options (not over a
// replay). The keys it leaves go on to the run below, which may still take the movement keys,
// Space, the display switches and mute.
class PauseScreen : public Screen {
public:
    // Pauses the run of `world`: says so, and opens the pause screen over it.
    static void open(Session& session, const GameWorld& world, bool offersOptions);

    PauseScreen(const GameWorld& world, bool offersOptions);

    bool key(Session& session, const KeyEvent& event) override;
    void pad(Session& session, const PadReading& pad) override;
    void items(const Session& session, std::vector<ScreenItem>& items) const override;
    std::optional<float> musicLevel() const override { return 0.35f; } // softer, not silent

private:
    void resume(Session& session);
    void openOptions(Session& session);

    const GameWorld& world;
    bool offersOptions;
};

// The pause screen: the score, how to resume or quit, and the help for the render keys.
void pauseScreenItems(const ScreenState& state, std::vector<ScreenItem>& items);
std::vector<ScreenItem> pauseScreenItems(const ScreenState& state);
