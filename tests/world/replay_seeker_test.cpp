#include <gtest/gtest.h>

#include <vector>

#include "replay_files.h"
#include "replay_seeker.h"

namespace {

constexpr float kAspect = 1280.0f / 768.0f;

std::optional<Replay> playedRun()
{
    std::string error;
    std::optional<Replay> replay =
        loadReplay(std::string(ZARNOK_SOURCE_DIR) + "/tests/data/replays/played-on-linux.replay", error);
    EXPECT_TRUE(replay) << error;
    return replay;
}

// The state of a straight re-simulation after each number of ticks, from 0 to the end.
std::vector<std::uint64_t> statesOf(const Replay& replay)
{
    Run run(replay.seed, kAspect);
    ReplayPlayer playback(replay);
    std::vector<std::uint64_t> states{worldStateHash(run.world())};
    while (!playback.finished()) {
        run.world().tick(playback.next());
        states.push_back(worldStateHash(run.world()));
    }
    return states;
}

} // namespace

// Forward from the run shown, back from the start again, and from the checkpoints once they are
// made: every seek lands on the state a straight re-simulation has at its tick. Then the player
// takes over and plays on with the recording's own inputs, which makes the recording again, byte
// for byte: a run taken over keeps every input from before.
TEST(ReplaySeeker, EverySeekLandsWhereAStraightResimulationIsAndATakeOverKeepsTheInputs)
{
    const std::optional<Replay> replay = playedRun();
    ASSERT_TRUE(replay);
    const std::vector<std::uint64_t> states = statesOf(*replay);
    ReplaySeeker seeker(*replay, kAspect);
    const auto seekTo = [&](std::uint32_t tick) {
        seeker.seek(tick);
        ASSERT_EQ(seeker.position(), std::min(tick, replay->ticks));
        EXPECT_EQ(worldStateHash(seeker.run().world()), states[seeker.position()]) << "after a seek to " << tick;
    };
    seekTo(900);
    seekTo(120);
    seekTo(replay->ticks + 100);
    EXPECT_TRUE(seeker.ended());

    while (seeker.prepare(500)) {
    }
    EXPECT_EQ(seeker.checkpoints(), (std::vector<std::uint32_t>{replay->ticks / 4, replay->ticks / 2, replay->ticks * 3 / 4}));
    seekTo(1000); // back, from the half
    seekTo(1100); // forward, from three quarters
    seekTo(200);  // back before every checkpoint, from the start
    seekTo(700);  // forward, from the quarter
    EXPECT_TRUE(seeker.checkpoints().empty()) << "each checkpoint serves one seek";

    ReplayRecorder recorder = seeker.recorderUpToHere();
    const std::unique_ptr<::Run> run = seeker.release();
    ReplayPlayer rest(*replay);
    for (int tick = 0; tick < 700; ++tick)
        rest.next();
    while (!rest.finished()) {
        const TickInput input = rest.next();
        recorder.record(input);
        run->world().tick(input);
    }
    const Replay again = recorder.finish(run->world().points, worldStateHash(run->world()));
    EXPECT_EQ(encodeReplay(again), encodeReplay(*replay));
}
