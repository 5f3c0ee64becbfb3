#include <gtest/gtest.h>

#include <cmath>

#include "fixed_ticks.h"
#include "run.h"

namespace {

// Ticks run over `seconds` of frames `1 / rate` apart, after a first frame of no length.
int ticksOver(double rate, double seconds)
{
    FixedTicks ticks;
    int total = ticks.advance(0.0);
    for (int frame = 0; frame < static_cast<int>(std::lround(seconds * rate)); ++frame) {
        total += ticks.advance(1.0 / rate);
        EXPECT_GE(ticks.blend(), 0.0f);
        EXPECT_LE(ticks.blend(), 1.0f);
    }
    return total;
}

} // namespace

TEST(FixedTicks, RealTimeBecomesSixtyTicksASecondAtAnyFrameRate)
{
    EXPECT_EQ(FixedTicks().advance(0.0), 0) << "the first frame runs no tick";
    for (double rate : {20.0, 60.0, 144.0, 59.94})
        EXPECT_NEAR(ticksOver(rate, 10.0), 600, 1) << rate << " frames a second";
    // Below 15 frames a second the game slows down: four ticks a frame at most.
    EXPECT_EQ(ticksOver(10.0, 10.0), 400);
}

TEST(FixedTicks, ALongStallIsNotMadeUpForAfterwards)
{
    FixedTicks ticks;
    EXPECT_EQ(ticks.advance(1.0 / 60.0), 1);
    EXPECT_EQ(ticks.advance(5.0), FixedTicks::kMostPerFrame);
    EXPECT_EQ(ticks.advance(1.0 / 60.0), 1);
    EXPECT_EQ(ticks.advance(-3.0), 0) << "a clock that went back";
    EXPECT_EQ(ticks.advance(1.0 / 120.0), 0);
    EXPECT_NEAR(ticks.blend(), 0.5f, 0.01f);
    EXPECT_EQ(ticks.advance(1.0 / 120.0), 1);
}

// A replay's speed scales the time; faster, as many frames may be made up for as at normal speed.
TEST(FixedTicks, ASpeedPlaysThatManyTicksForTheTime)
{
    FixedTicks ticks;
    EXPECT_EQ(ticks.advance(1.0 / 60.0, 2.0), 2);
    EXPECT_EQ(ticks.advance(1.0 / 60.0, 0.0), 0) << "standing still";
    int quarter = 0;
    for (int frame = 0; frame < 9; ++frame)
        quarter += ticks.advance(1.0 / 60.0, 0.25);
    EXPECT_EQ(quarter, 2);
    EXPECT_EQ(ticks.advance(5.0, 4.0), 4 * FixedTicks::kMostPerFrame);
}

namespace {

struct Ending {
    std::int64_t tick;
    std::int32_t points;
    std::uint64_t state;
};

// Plays the track of seed 11 with 2 released before the first tick, frames `1 / rate` apart, as
// the game's frame loop hands out ticks, until the game is over.
Ending dropAllAt(double rate)
{
    Run run(11, 1280.0f / 768.0f);
    FixedTicks ticks;
    bool dropAllAsked = true;
    for (int frame = 0; frame < 100000; ++frame) {
        for (int due = ticks.advance(frame == 0 ? 0.0 : 1.0 / rate); due > 0; --due) {
            TickInput input;
            input.dropAll = std::exchange(dropAllAsked, false);
            if (run.world().tick(input).gameOver)
                return {run.world().ticks(), run.world().points, worldStateHash(run.world())};
        }
    }
    ADD_FAILURE() << "never over at " << rate << " frames a second";
    return {};
}

} // namespace

TEST(FixedTicks, GameOverComesAtTheSameTickWithTheSameScoreAtAnyFrameRate)
{
    const Ending at60 = dropAllAt(60.0);
    EXPECT_GT(at60.points, 0);
    for (double rate : {20.0, 144.0}) {
        const Ending other = dropAllAt(rate);
        EXPECT_EQ(other.tick, at60.tick) << rate << " frames a second";
        EXPECT_EQ(other.points, at60.points) << rate << " frames a second";
        EXPECT_EQ(other.state, at60.state) << rate << " frames a second";
    }
}
