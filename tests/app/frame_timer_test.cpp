#include <gtest/gtest.h>

#include "frame_timer.h"

TEST(FrameTimer, DtIsThePreviousFramesDuration)
{
    FrameTimer timer(10.0f);
    EXPECT_EQ(timer.dt(), 0.0f);
    timer.tick(10.5f);
    EXPECT_FLOAT_EQ(timer.dt(), 0.5f);
    timer.tick(10.75f);
    EXPECT_FLOAT_EQ(timer.dt(), 0.25f);
}

TEST(FrameTimer, TheTitleShowsTheLastFramesRateAboutFiveTimesASecond)
{
    FrameTimer timer(0.0f);
    float now = 0.0f;
    int updates = 0;
    std::optional<int> last;
    for (int frame = 0; frame < 100; ++frame) {
        now += 0.02f;
        if (const std::optional<int> fps = timer.tick(now)) {
            ++updates;
            last = fps;
        }
    }
    // Two seconds at 50 frames per second.
    EXPECT_GE(updates, 9);
    EXPECT_LE(updates, 10);
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(*last, 50);
}

TEST(FrameTimer, ASlowFrameUpdatesTheTitleAtOnce)
{
    FrameTimer timer(0.0f);
    EXPECT_FALSE(timer.tick(0.1f).has_value());
    EXPECT_EQ(timer.tick(0.35f), std::optional<int>(4));
}

TEST(FrameTimer, AFrameOfNoMeasurableLengthLeavesTheTitleAlone)
{
    FrameTimer timer(0.0f);
    EXPECT_EQ(timer.tick(0.5f), std::optional<int>(2));
    // Still more than 0.2 s accumulated, but a zero-length frame has no rate to show.
    EXPECT_FALSE(timer.tick(0.5f).has_value());
    EXPECT_EQ(timer.dt(), 0.0f);
}

TEST(FramesPerSecond, RoundsToTheNearestInteger)
{
    EXPECT_EQ(framesPerSecond(1.0f / 60.0f), std::optional<int>(60));
    EXPECT_EQ(framesPerSecond(0.4f), std::optional<int>(3)); // 2.5 rounds away from zero
    EXPECT_EQ(framesPerSecond(0.3f), std::optional<int>(3));
}

TEST(FramesPerSecond, HasNoValueForZeroNegativeOrVanishingFrameTimes)
{
    EXPECT_FALSE(framesPerSecond(0.0f).has_value());
    EXPECT_FALSE(framesPerSecond(-0.01f).has_value());
    EXPECT_FALSE(framesPerSecond(1e-12f).has_value());
    EXPECT_EQ(framesPerSecond(1e-6f), std::optional<int>(1000000));
}

TEST(FramesPerSecond, TitleFormat)
{
    std::string title = "old text";
    frameRateTitle(title, "ZARNOK 2023", 144);
    EXPECT_EQ(title, "ZARNOK 2023 | FPS: 144");
    frameRateTitle(title, "ZARNOK 2023", -3);
    EXPECT_EQ(title, "ZARNOK 2023 | FPS: -3");
}
