#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app_state.h"
#include "camera.h"
#include "gamepad.h"
#include "ghost.h"
#include "run.h"
#include "run_sounds.h"
#include "screen.h"

// Where the input of the player's ticks comes from: the view the mouse turns, the keys held and
// the gamepad.
struct TickSources {
    const Camera& view;
    const AppFlags& flags;
    const PadReading& pad;
};

// A run on the screen, played or watched: it owns the run, ticks it while it is on top, sounds
// its events and draws the HUD. Once the run is over it ticks no more, and from the next frame
// on it shows its end with the screen that says so.
class RunScreen : public Screen {
public:
    explicit RunScreen(std::unique_ptr<Run> run);

    const GameWorld& world() const { return shown->world(); }
    std::uint32_t seed() const { return shown->seed(); }
    // The run has ended: it fell, or its recording ran out.
    bool over() const { return ended; }

    // The ticks due this frame, until the run is over.
    void runTicks(Session& session, int due, const TickSources& sources);

    // Whether the frame looks where the run looked (a recording), rather than where the player
    // turns the view.
    virtual bool showsRecordedView() const = 0;
    // Whether the mouse and the pad turn the view now.
    virtual bool playerLooks() const = 0;
    // Its events are heard.
    virtual bool soundsEffects() const { return true; }
    // The game ends while the run is shown: a player's run is kept.
    virtual void leave(Session& /*session*/) {}
    // The recorded run racing beside this one, if any.
    virtual const Ghost* ghost() const { return nullptr; }
    // How fast the run goes, against real time: 0 stands still.
    virtual double speed() const { return 1.0; }
    // The frame looks at the runner from behind and above, rather than through its eyes.
    virtual bool showsChaseView() const { return false; }

    void startFrame(Session& session) override;
    void playerLeft(Session& session) override;
    std::optional<float> musicLevel() const override { return ended ? 0.0f : 1.0f; }
    RunScreen* run() override { return this; }

protected:
    // For a screen that keeps its run itself, and shows it with show().
    RunScreen() = default;
    void show(Run& run) { shown = &run; }
    // The run shown jumped to another tick: its sounds start afresh, and it may end again.
    void jumped();

    virtual TickInput nextInput(const TickSources& sources) = 0;
    // The tick's own reactions; game over is the end of the run.
    virtual void reactTo(Session& session, const TickEvents& events) = 0;
    // The screen that shows the end of the run.
    virtual void showEnd(Session& session) = 0;
    // Opens the pause screen over the run.
    virtual void pause(Session& session) = 0;

    // The run is over; `line` is said with the first frame that shows its end.
    void end(std::string line);
    // The HUD, with "Replay" on it for a recording.
    void hud(const Session& session, bool replay, std::vector<ScreenItem>& items) const;
    GameWorld& world() { return shown->world(); }

private:
    std::unique_ptr<Run> ownRun;
    Run* shown = nullptr;
    RunSounds sounds;
    std::vector<SoundCue> cues; // of the tick just run
    bool ended = false;
    bool endShown = false;
    std::string endLine;
};

// The overlays' values from the running world, for a window of the given size.
ScreenState screenStateOf(const GameWorld& world, int width, int height);

// The in-game HUD: the score, the pause hint, the powerup and shifting messages, and whether it
// is a replay.
void hudItems(const ScreenState& state, std::vector<ScreenItem>& items);
std::vector<ScreenItem> hudItems(const ScreenState& state);
// The HUD's line of the ghost: "Ghost 41 (+3)", its points and how far it leads the player.
void writeGhostLine(std::string& text, const ScreenState& state);
