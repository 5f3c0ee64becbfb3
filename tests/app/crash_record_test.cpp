#include <gtest/gtest.h>

#include "crash_record.h"

namespace {

std::vector<std::uint8_t> writtenReplay(const CrashRecord& record)
{
    std::vector<std::uint8_t> bytes;
    record.writeReplay([&](const std::uint8_t* data, size_t size) { bytes.insert(bytes.end(), data, data + size); });
    return bytes;
}

} // namespace

// After every tick the bytes a crash would write are the replay file of the ticks so far, with
// the points, and no final state: over the inputs' first chunk and into the next, a practice run
// handed a recording part-way, and nothing once the run is over.
TEST(CrashRecord, HoldsTheReplayFileOfTheTicksPlayedSoFar)
{
    CrashRecord record;
    EXPECT_FALSE(record.runState().running);
    ReplayRecorder recorder(326);
    record.startRun(326);
    TickInput input;
    for (std::uint32_t tick = 1; tick <= 2000; ++tick) {
        // The view changes on most ticks and stands on some, as a player's does.
        if (tick % 7 != 0)
            input.yaw = static_cast<float>(tick) * 0.01f;
        input.forward = tick % 50 < 30;
        input.jump = tick % 97 == 0;
        recorder.record(input);
        const auto points = static_cast<std::int32_t>(tick / 10);
        record.follow(recorder, points);
        if (tick % 199 != 0 && tick != 2000)
            continue;
        ASSERT_EQ(writtenReplay(record), encodeReplay(recorder.finish(points, kNoFinalState))) << "tick " << tick;
        const CrashRecord::RunState state = record.runState();
        EXPECT_TRUE(state.running);
        EXPECT_EQ(state.seed, 326u);
        EXPECT_EQ(state.ticks, tick);
    }
    ASSERT_GT(recorder.storedInputs().size(), 16u * 1024) << "the inputs should reach a second chunk";

    ReplayRecorder handed(9);
    for (int tick = 0; tick < 40; ++tick)
        handed.record(input);
    record.startRun(9);
    record.follow(handed, 3);
    EXPECT_EQ(writtenReplay(record), encodeReplay(handed.finish(3, kNoFinalState)));

    record.endRun();
    EXPECT_FALSE(record.runState().running);
}
