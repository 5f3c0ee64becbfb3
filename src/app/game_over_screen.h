#pragma once

#include "game_world.h"
#include "screen.h"

// Over a run that has ended, for good: Q quits, R plays again and B watches the best run (where
// another run is offered), and Escape goes back to the title (where there is one). The keys it
// leaves go on to the run below.
class GameOverScreen : public Screen {
public:
    struct Ending {
        bool newBest = false; // the run beat the best before it
        bool replay = false;  // it was a recorded run
        std::optional<int> rank; // where it placed among the player's best
        std::string daily;       // how a daily run placed among the day's, or empty
        bool practice = false;   // it was played on from a recording
    };

    // `offersAnotherRun`: R and B are offered, which a game that shows one replay has not.
    GameOverScreen(const GameWorld& world, Ending ending, bool offersAnotherRun);

    bool key(Session& session, const KeyEvent& event) override;
    void pad(Session& session, const PadReading& pad) override;
    void items(const Session& session, std::vector<ScreenItem>& items) const override;
    std::optional<float> musicLevel() const override { return 0.0f; }

private:
    const GameWorld& world;
    Ending ending;
    bool offersAnotherRun;
};

// The game-over screen: the final score, the best score, and how to quit, play again or watch
// the best run.
void gameOverScreenItems(const ScreenState& state, std::vector<ScreenItem>& items);
std::vector<ScreenItem> gameOverScreenItems(const ScreenState& state);
