#include <gtest/gtest.h>

#include "replay.h"
#include "replay_check.h"
#include "replay_files.h"
#include "run.h"

namespace {

// A player's run on seed 5: jumps, a look to the left and up, the wheel, W held a while, and 2
// released at tick 500, until the game is over.
Replay recordedRun()
{
    Run run(5, 1280.0f / 768.0f);
    ReplayRecorder recorder(5);
    TickInput input;
    for (int tick = 1; tick < 60 * 60; ++tick) {
        input.jump = tick % 90 == 0;
        input.forward = tick > 200 && tick < 260;
        input.dropAll = tick == 500;
        if (tick > 100 && tick < 140) {
            input.yaw -= 0.5f;
            input.pitch += 0.25f;
        }
        if (tick == 150)
            input.movementSpeed = 1.4f;
        recorder.record(input);
        if (run.world().tick(input).gameOver)
            break;
    }
    return recorder.finish(run.world().points, worldStateHash(run.world()));
}

std::vector<std::uint8_t> bytesOf(const Replay& replay)
{
    return encodeReplay(replay);
}

} // namespace

TEST(Replay, ARecordedRunPlaysTheSameGameAgainAndADifferentInputDoesNot)
{
    const Replay recorded = recordedRun();
    ASSERT_GT(recorded.finalPoints, 0);
    ASSERT_LT(recorded.ticks, 60u * 60u) << "2 should have ended the run";
    // Only the ticks in which the player did something take room.
    EXPECT_LT(recorded.inputs.size(), 600u);

    std::string error;
    const std::optional<Replay> decoded = decodeReplay(bytesOf(recorded), error);
    ASSERT_TRUE(decoded) << error;
    const ReplayOutcome again = resimulate(*decoded);
    EXPECT_TRUE(sameGame(*decoded, again)) << again.points << " points in " << again.ticks << " ticks";

    // The same inputs on another track are another game.
    Replay otherTrack = *decoded;
    otherTrack.seed = 6;
    EXPECT_FALSE(sameGame(otherTrack, resimulate(otherTrack)));
}

TEST(Replay, AnythingButAReplayOfThisVersionIsRefusedWithAReason)
{
    const std::vector<std::uint8_t> good = bytesOf(recordedRun());
    std::string error;
    const auto refusal = [&](const std::vector<std::uint8_t>& bytes) {
        error.clear();
        return decodeReplay(bytes, error) ? std::string("accepted") : error;
    };
    EXPECT_EQ(refusal({}), "it is not a ZARNOK replay");
    const std::string text = "scored  12 points\n";
    EXPECT_EQ(refusal(std::vector<std::uint8_t>(text.begin(), text.end())), "it is not a ZARNOK replay");

    std::vector<std::uint8_t> otherVersion = good;
    otherVersion[6] = '1'; // "2023.1/1" becomes "1023.1/1"
    EXPECT_EQ(refusal(otherVersion),
              "it was recorded by zarnok 1023.1/1, and this is zarnok " + replayVersion() + ", whose game differs");

    // Cut short anywhere, or with more after its end, it is damaged.
    for (size_t length = 4; length < good.size(); ++length)
        EXPECT_NE(refusal(std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<long>(length))),
                  "accepted")
            << "cut at " << length;
    std::vector<std::uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_EQ(refusal(longer), "it is damaged: there is more after its end");

    // Hostile numbers: a tick count beyond any run, a view beyond the game's limits.
    Replay hostile = *decodeReplay(good, error);
    hostile.ticks = 0xFFFFFFFFu;
    EXPECT_EQ(refusal(bytesOf(hostile)).rfind("it is damaged: it claims 4294967295 ticks", 0), 0u) << error;
    ReplayRecorder recorder(5);
    TickInput turned;
    turned.pitch = 200.0f;
    recorder.record(turned);
    EXPECT_EQ(refusal(bytesOf(recorder.finish(0, 0))), "it is damaged: it turns the view beyond the game's limits");
}

// A run played with keys, mouse and wheel on Linux, across a platform and its powerup, ended by
// 2. This game, on any platform, must play it the same; when a change makes it play differently,
// raise the simulation's revision and record the file again.
TEST(Replay, ARunPlayedOnLinuxPlaysTheSameGameHere)
{
    const std::string file = std::string(ZARNOK_SOURCE_DIR) + "/tests/data/replays/played-on-linux.replay";
    std::string error;
    const std::optional<Replay> replay = loadReplay(file, error);
    ASSERT_TRUE(replay) << error;
    EXPECT_GT(replay->finalPoints, 100);
    const ReplayOutcome outcome = resimulate(*replay);
    EXPECT_EQ(outcome.points, replay->finalPoints);
    EXPECT_EQ(outcome.ticks, replay->ticks);
    EXPECT_EQ(outcome.state, replay->finalState);
}
