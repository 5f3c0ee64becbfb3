#pragma once

#include <optional>
#include <string>

#include "replay.h"
#include "run_screen.h"

// The first screen of a player's game: the game's name, the menu and the best score, over a demo
// run played from its recording, in its own view, without the HUD and with its effects quiet.
// When the demo ends the session shows the next one.
class TitleScreen : public RunScreen {
public:
    enum Line { Play, DailyRun, HighScores, Options, Quit, LineCount };

    // `demo`: the recording played behind the menu; without one the run goes untouched.
    // `demoNumber` counts the demos shown since the title opened; `chosen` is the line chosen.
    TitleScreen(std::unique_ptr<Run> run, std::optional<Replay> demo, int demoNumber, int chosen);

    int chosenLine() const { return chosen; }

    // Up and Down choose a line, Enter takes it, Escape chooses "Quit". Keys act on their press.
    bool key(Session& session, const KeyEvent& event) override;
    void pad(Session& session, const PadReading& pad) override;
    // The pointer over a line chooses it; a click takes it.
    void pointer(Session& session, const PointerInput& pointer) override;
    void items(const Session& session, std::vector<ScreenItem>& items) const override;
    bool freesPointer() const override { return true; }
    std::optional<float> musicLevel() const override { return 1.0f; }
    bool showsRecordedView() const override { return true; }
    bool playerLooks() const override { return false; }
    bool soundsEffects() const override { return false; }

protected:
    TickInput nextInput(const TickSources& sources) override;
    void reactTo(Session& session, const TickEvents& events) override;
    void showEnd(Session& session) override;
    void pause(Session& /*session*/) override {}

private:
    void take(Session& session, int line);

    std::optional<ReplayPlayer> playback;
    int demoNumber;
    int chosen;
    // The day whose daily run the menu offers: read once, as each demo brings a new title screen.
    std::string today;
};

// The line of the title's menu under a point of the window (pixels from the bottom left), or -1.
int titleLineAt(float x, float y, int width, int height);

// The title screen: the name, the best score when there is one, and the menu on its panel, with
// the date of the day's daily run (`state.daily`).
void titleScreenItems(const ScreenState& state, int chosen, std::vector<ScreenItem>& items);
