#include <gtest/gtest.h>

#include <vector>

#include "daily_run.h"
#include "ghost.h"
#include "replay_files.h"
#include "run.h"

namespace {

constexpr float kAspect = 1280.0f / 768.0f;

struct Step {
    glm::vec3 position;
    std::int32_t points;
};

std::vector<Step> playedAlone(const Replay& replay)
{
    Run run(replay.seed, kAspect);
    ReplayPlayer playback(replay);
    std::vector<Step> steps;
    while (!playback.finished()) {
        run.world().tick(playback.next());
        steps.push_back({run.world().player().camera.position, run.world().points});
    }
    return steps;
}

} // namespace

// The ghost is the replay's own game: beside a player who drops every cube and runs elsewhere on
// the same track, it is where the replay alone is, with its points, at every tick, and it stops
// where the replay ended.
TEST(Ghost, PlaysItsReplayTickForTickBesideThePlayer)
{
    std::string error;
    const std::optional<Replay> replay =
        loadReplay(std::string(ZARNOK_SOURCE_DIR) + "/tests/data/replays/played-on-linux.replay", error);
    ASSERT_TRUE(replay) << error;
    const std::vector<Step> alone = playedAlone(*replay);
    ASSERT_EQ(alone.size(), replay->ticks);

    ::Run player(replay->seed, kAspect);
    Ghost ghost(*replay, kAspect);
    for (size_t tick = 0; tick < alone.size(); ++tick) {
        TickInput input;
        input.dropAll = tick == 30;
        input.right = tick % 90 < 20;
        input.jump = tick % 50 == 0;
        player.world().tick(input);
        ghost.tick();
        ASSERT_EQ(ghost.position(), alone[tick].position) << "at tick " << tick + 1;
        ASSERT_EQ(ghost.points(), alone[tick].points) << "at tick " << tick + 1;
        ASSERT_EQ(ghost.ended(), tick + 1 == alone.size()) << "at tick " << tick + 1;
    }
    EXPECT_NE(player.world().points, ghost.points()) << "the player's inputs must make another game";
    EXPECT_EQ(ghost.points(), replay->finalPoints);
    ghost.tick();
    EXPECT_EQ(ghost.position(), alone.back().position) << "an ended ghost stays where it ended";
}

// A ghost that falls off the track says so and keeps the place it fell from.
TEST(Ghost, MarksWhereItFell)
{
    ReplayRecorder recorder(7);
    ::Run recorded(7, kAspect);
    TickInput input;
    input.left = true; // off the side of the track
    while (!recorded.world().tick(input).gameOver)
        recorder.record(input);
    recorder.record(input);
    const Replay replay = recorder.finish(recorded.world().points, worldStateHash(recorded.world()));

    Ghost ghost(replay, kAspect);
    while (!ghost.ended())
        ghost.tick();
    EXPECT_TRUE(ghost.fell());
    EXPECT_LE(ghost.position().y, -10.0f);
    EXPECT_GT(ghost.lastFooting().y, -1.0f) << "the marker stands where it left the track";
    EXPECT_LT(ghost.lastFooting().x, -1.0f);
}

TEST(DailyRun, TakesRealDaysAndGivesEachItsOwnSeed)
{
    EXPECT_EQ(dailyDate("2026-12-09"), "2026-12-09");
    EXPECT_EQ(dailyDate("2028-02-29"), "2028-02-29");
    EXPECT_EQ(dailyDate("2000-02-29"), "2000-02-29");
    for (const char* bad : {"2026-13-40", "2026-02-29", "1900-02-29", "2026-04-31", "0000-01-01", "2026-1-09",
                            "2026-12-09 ", "2026/12/09", "", "20x6-12-09"})
        EXPECT_FALSE(dailyDate(bad)) << bad;
    // The documented function, whatever the machine: FNV-1a of the ten characters.
    EXPECT_EQ(dailySeed("2026-12-09"), 3307136551u);
    EXPECT_NE(dailySeed("2026-12-09"), dailySeed("2026-12-10"));
}
