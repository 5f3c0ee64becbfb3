#pragma once

#include <optional>

#include "ghost.h"
#include "replay.h"
#include "run_records.h"
#include "run_screen.h"

// The player's own run: the keys, the mouse and the pad play it, tick by tick, and it is
// recorded. A ghost may race beside it. Escape pauses it. When it ends it is kept in the player's
// records, and the game-over screen says how it went.
class PlayScreen : public RunScreen {
public:
    // `recorded`: its inputs are kept as a replay. `daily`: the date whose daily run this is, or
    // empty.
    PlayScreen(std::unique_ptr<Run> run, bool recorded, std::unique_ptr<Ghost> ghost = nullptr, std::string daily = "");

    // The run goes on from a recording, whose inputs so far are in `recorded`: a practice run, which
    // neither places nor counts as the player's, but is kept as the last run.
    void practise(ReplayRecorder recorded);

    bool key(Session& session, const KeyEvent& event) override;
    void pad(Session& session, const PadReading& pad) override;
    void items(const Session& session, std::vector<ScreenItem>& items) const override;
    bool showsRecordedView() const override { return false; }
    bool playerLooks() const override { return !over(); }
    void leave(Session& session) override { keep(session); }
    const Ghost* ghost() const override { return rival.get(); }

protected:
    TickInput nextInput(const TickSources& sources) override;
    void reactTo(Session& session, const TickEvents& events) override;
    void showEnd(Session& session) override;
    void pause(Session& session) override;

private:
    // Keeps the run in the player's records, once; returns where it placed.
    RunPlacing keep(Session& session);

    std::optional<ReplayRecorder> recorder;
    std::unique_ptr<Ghost> rival;
    std::string dailyDate;
    std::string dailyLine; // how the daily run placed, for the game-over screen
    bool jumpRequested = false;    // Space pressed since the last tick
    bool dropAllRequested = false; // 2 released since the last tick
    std::uint64_t cubesDropped = 0;
    bool kept = false;
    bool practice = false;
    RunPlacing placing;
};
