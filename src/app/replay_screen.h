#pragma once

#include <memory>

#include "replay.h"
#include "replay_bar.h"
#include "replay_seeker.h"
#include "run_screen.h"

// The replay viewer: a recorded run played back tick by tick from its inputs, with a bar along the
// bottom. Space pauses it, Left and Right go 5 seconds back and forward, Home and End to its start
// and end, - and + slow it down and speed it up, a click on the bar goes to that moment, C looks at
// the runner from outside, and Enter hands the run at the tick shown to the player. Escape opens
// the pause screen over it. Once it is over the player's keys act again, unless the game was
// started to show this replay and nothing else; its start and end are still in reach.
class ReplayScreen : public RunScreen {
public:
    // The speeds it plays at, slowest first, and the one it starts at.
    static constexpr double kSpeeds[] = {0.25, 0.5, 1.0, 2.0, 4.0};
    // As the bar shows them.
    static constexpr const char* kSpeedNames[] = {"1/4x", "1/2x", "1x", "2x", "4x"};
    static constexpr int kNormalSpeed = 2;
    static constexpr std::uint32_t kSkipTicks = 5 * 60;
    // Ticks of the seeker's checkpoints played each frame: a millisecond or two, beside a frame's
    // ticks and drawing.
    static constexpr int kCheckpointTicksPerFrame = 32;

    // `physics`, if given, is the world the run is built on. `onlyThis`: the game shows this
    // replay and nothing else (--replay).
    ReplayScreen(Replay replay, float aspectRatio, std::unique_ptr<PhysicsWorld> physics, bool onlyThis);

    void startFrame(Session& session) override;
    bool key(Session& session, const KeyEvent& event) override;
    void pad(Session& session, const PadReading& pad) override;
    void pointer(Session& session, const PointerInput& pointer) override;
    void items(const Session& session, std::vector<ScreenItem>& items) const override;
    bool freesPointer() const override { return true; }
    bool showsRecordedView() const override { return true; }
    bool playerLooks() const override { return false; }
    // Above twice the speed the effects would crowd each other: they fall silent.
    bool soundsEffects() const override { return kSpeeds[speedStep] <= 2.0; }
    double speed() const override { return paused ? 0.0 : kSpeeds[speedStep]; }
    bool showsChaseView() const override { return chase; }

    // Where the replay is, in ticks, and how long it is.
    std::uint32_t position() const { return seeker.position(); }
    std::uint32_t length() const { return seeker.length(); }
    bool isPaused() const { return paused; }

protected:
    TickInput nextInput(const TickSources& sources) override;
    void reactTo(Session& session, const TickEvents& events) override;
    void showEnd(Session& session) override;
    void pause(Session& session) override;

private:
    // The viewer's own keys, which it takes on top or under the screen that shows its end.
    bool viewerKey(Session& session, int key);
    bool inReach(const Session& session) const;
    void seekTo(Session& session, std::uint32_t tick);
    void skip(Session& session, bool forward);
    void changeSpeed(Session& session, int steps);
    void switchPause(Session& session);
    void switchView(Session& session);
    void playOn(Session& session);
    ReplayBar bar(const Session& session) const;

    ReplaySeeker seeker;
    const Screen* endScreen = nullptr; // the game-over screen it opened, while it is open
    int speedStep = kNormalSpeed;
    bool onlyThis;
    bool paused = false;
    bool chase = false;
};
