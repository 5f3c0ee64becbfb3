#include <gtest/gtest.h>

#include <vector>

#include "frame_pacer.h"
#include "system_clock.h"

namespace {

constexpr double kPeriod = 1.0 / 60.0;

// Time moves only when the pacer sleeps or the test works. A sleep wakes late, as real ones do;
// a zero sleep (the spin's yield) costs a few microseconds.
class FakeClock final : public WaitableClock {
public:
    double now() override { return time; }
    void sleepFor(double seconds) override
    {
        if (seconds > 0.0) {
            time += seconds + kLateWake;
            slept += seconds + kLateWake;
            ++sleeps;
        } else {
            time += kYieldCost;
            spun += kYieldCost;
        }
    }
    double wakeLateness() const override { return 0.001; }

    static constexpr double kLateWake = 0.0008;
    static constexpr double kYieldCost = 0.00002;
    double time = 100.0;
    double slept = 0.0;
    double spun = 0.0;
    int sleeps = 0;
};

// Starts of `frames` frames that each work for `work` seconds.
std::vector<double> frameStarts(FramePacer& pacer, FakeClock& clock, int frames, double work)
{
    std::vector<double> starts;
    for (int frame = 0; frame < frames; ++frame) {
        pacer.waitUntilDue();
        starts.push_back(clock.now());
        clock.time += work;
    }
    return starts;
}

} // namespace

TEST(FramePacer, ShortFramesRunSixtyASecondMostlyAsleep)
{
    FakeClock clock;
    FramePacer pacer(clock, kPeriod);
    const std::vector<double> starts = frameStarts(pacer, clock, 601, 0.001);
    EXPECT_NEAR(starts.back() - starts.front(), 10.0, 0.1);
    for (size_t i = 1; i < starts.size(); ++i)
        ASSERT_GE(starts[i] - starts[i - 1], kPeriod) << "frame " << i << " started early";
    // The precise part of each wait is short; the rest is slept, not spun.
    EXPECT_GT(clock.slept, 20.0 * clock.spun);
}

TEST(FramePacer, ALongFrameIsFollowedAtOnceAndNotMadeUpFor)
{
    FakeClock clock;
    FramePacer pacer(clock, kPeriod);
    frameStarts(pacer, clock, 5, 0.001);
    pacer.waitUntilDue();
    clock.time += 0.030;

    const double afterLongFrame = clock.now();
    const int sleepsBefore = clock.sleeps;
    pacer.waitUntilDue();
    EXPECT_EQ(clock.now(), afterLongFrame);
    EXPECT_EQ(clock.sleeps, sleepsBefore);

    clock.time += 0.001;
    pacer.waitUntilDue();
    EXPECT_GE(clock.now() - afterLongFrame, kPeriod);
    EXPECT_LT(clock.now() - afterLongFrame, kPeriod + 0.001);
}

TEST(FramePacer, AClockThatJumpsBackwardsDoesNotStallTheLoop)
{
    FakeClock clock;
    FramePacer pacer(clock, kPeriod);
    frameStarts(pacer, clock, 5, 0.001);
    clock.time -= 3600.0;

    const double afterJump = clock.now();
    pacer.waitUntilDue();
    EXPECT_EQ(clock.now(), afterJump);
    const std::vector<double> starts = frameStarts(pacer, clock, 61, 0.001);
    EXPECT_NEAR(starts.back() - afterJump, 1.0 + kPeriod, 0.01);
}
