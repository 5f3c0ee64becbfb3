#pragma once

#include "replay.h"
#include "run_screen.h"

// A recorded run, played back tick by tick from its inputs. The player may pause it, mute it and
// quit from the pause screen; the recording plays every other key. Once it is over the player's
// keys act again, unless the game was started to show this replay and nothing else.
class ReplayScreen : public RunScreen {
public:
    // `onlyThis`: the game shows this replay and nothing else (--replay).
    ReplayScreen(std::unique_ptr<Run> run, Replay replay, bool onlyThis);

    bool key(Session& session, const KeyEvent& event) override;
    void pad(Session& session, const PadReading& pad) override;
    void items(const Session& session, std::vector<ScreenItem>& items) const override;
    bool showsRecordedView() const override { return true; }
    bool playerLooks() const override { return false; }

protected:
    TickInput nextInput(const TickSources& sources) override;
    void reactTo(Session& session, const TickEvents& events) override;
    void showEnd(Session& session) override;
    void pause(Session& session) override;

private:
    ReplayPlayer playback;
    bool onlyThis;
};
