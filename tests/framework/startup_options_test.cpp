#include <gtest/gtest.h>

#include <vector>

#include "startup_options.h"

namespace {

StartupOptions parse(std::vector<const char*> arguments)
{
    arguments.insert(arguments.begin(), "zarnok");
    StartupOptions options;
    parseCommandLine(options, static_cast<int>(arguments.size()), arguments.data());
    return options;
}

} // namespace

TEST(CommandLine, NoArgumentsLeaveEverythingOff)
{
    const StartupOptions options = parse({});
    EXPECT_FALSE(options.runHeadless);
    EXPECT_FALSE(options.cameraFileGiven);
    EXPECT_FALSE(options.rendererFileGiven);
    EXPECT_FALSE(options.screenshotFileGiven);
    EXPECT_EQ(options.cameraFile, "");
    EXPECT_EQ(options.rendererFile, "");
    EXPECT_EQ(options.screenshotFile, "");
}

TEST(CommandLine, OptionsTakeTheFollowingWordAsTheirValue)
{
    const StartupOptions options = parse({"--init_camera", "cam.ini", "--init_renderer", "assets/settings/r.ini",
                                          "--filename", "shot", "--run_headless"});
    EXPECT_TRUE(options.cameraFileGiven);
    EXPECT_EQ(options.cameraFile, "cam.ini");
    EXPECT_TRUE(options.rendererFileGiven);
    EXPECT_EQ(options.rendererFile, "assets/settings/r.ini");
    EXPECT_TRUE(options.screenshotFileGiven);
    EXPECT_EQ(options.screenshotFile, "shot");
    EXPECT_TRUE(options.runHeadless);
}

TEST(CommandLine, OptionWordsMatchExactlyAndUnknownWordsAreIgnored)
{
    const StartupOptions options = parse({"--INIT_CAMERA", "cam.ini", "--run_headless=1", "-run_headless", "extra"});
    EXPECT_FALSE(options.cameraFileGiven);
    EXPECT_FALSE(options.runHeadless);
}

TEST(CommandLine, AValueWordIsExaminedAgainAsAnOption)
{
    const StartupOptions options = parse({"--filename", "--run_headless"});
    EXPECT_TRUE(options.screenshotFileGiven);
    EXPECT_EQ(options.screenshotFile, "--run_headless");
    EXPECT_TRUE(options.runHeadless);
}

TEST(CommandLine, TheLastOfARepeatedOptionWins)
{
    const StartupOptions options = parse({"--filename", "first", "--filename", "second"});
    EXPECT_EQ(options.screenshotFile, "second");
}

TEST(CommandLine, AnOptionWithoutItsValueAtTheEndIsIgnored)
{
    for (const char* option : {"--filename", "--init_camera", "--init_renderer"}) {
        const StartupOptions options = parse({"--run_headless", option});
        EXPECT_TRUE(options.runHeadless) << option;
        EXPECT_FALSE(options.screenshotFileGiven || options.cameraFileGiven || options.rendererFileGiven) << option;
    }
    const StartupOptions kept = parse({"--filename", "shot", "--filename"});
    EXPECT_EQ(kept.screenshotFile, "shot");
}

TEST(CommandLine, SeedTakesAWholeNumber)
{
    const StartupOptions options = parse({"--seed", "4294967295"});
    EXPECT_TRUE(options.seedGiven);
    EXPECT_EQ(options.seed, 4294967295u);
    EXPECT_EQ(parse({"--seed", "0"}).seed, 0u);
    EXPECT_FALSE(parse({"--seed"}).seedGiven);
}

TEST(CommandLine, ABadSeedIsReportedAndIgnored)
{
    for (const char* bad : {"4294967296", "-1", "12abc", "", " 7", "+7", "seven"}) {
        testing::internal::CaptureStdout();
        const StartupOptions options = parse({"--seed", bad});
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  std::string("Ignoring --seed '") + bad + "': not a whole number from 0 to 4294967295.\n");
        EXPECT_FALSE(options.seedGiven) << bad;
    }
}

TEST(CommandLine, BenchmarkTakesAFrameCount)
{
    const StartupOptions full = parse({"--benchmark", "600"});
    EXPECT_EQ(full.benchmarkFrames, 600);
    EXPECT_FALSE(full.benchmarkEmpty);
    const StartupOptions empty = parse({"--benchmark-empty", "30"});
    EXPECT_EQ(empty.benchmarkFrames, 30);
    EXPECT_TRUE(empty.benchmarkEmpty);
    for (const char* bad : {"0", "1000001", "-5", "many"}) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(parse({"--benchmark", bad}).benchmarkFrames, 0) << bad;
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  std::string("Ignoring --benchmark '") + bad + "': not a frame count from 1 to 1000000.\n");
    }
}

TEST(CommandLine, QualityTakesAPresetName)
{
    EXPECT_EQ(parse({"--quality", "low"}).quality, "low");
    EXPECT_EQ(parse({"--quality", "high"}).quality, "high");
    EXPECT_EQ(parse({}).quality, "");
    for (const char* bad : {"Ultra", "LOW", ""}) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(parse({"--quality", bad}).quality, "") << bad;
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  std::string("Ignoring --quality '") + bad + "': not low, medium or high.\n");
    }
}

TEST(CommandLine, ExportVideoTakesTwoFilesAndSizeAnEvenWidthAndHeight)
{
    const StartupOptions video = parse({"--export-video", "run.replay", "run.webm", "--size", "640x360"});
    EXPECT_TRUE(video.exportVideoGiven);
    EXPECT_EQ(video.exportReplayFile, "run.replay");
    EXPECT_EQ(video.exportVideoFile, "run.webm");
    EXPECT_EQ(video.videoWidth, 640);
    EXPECT_EQ(video.videoHeight, 360);
    EXPECT_EQ(parse({}).videoWidth, 1280);
    EXPECT_EQ(parse({}).videoHeight, 720);
    for (const char* bad : {"641x360", "640", "x360", "8x8", "7682x4320", "640x360x2", "-640x360"}) {
        testing::internal::CaptureStdout();
        const StartupOptions options = parse({"--size", bad});
        EXPECT_EQ(options.videoWidth, 1280) << bad;
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  std::string("Ignoring --size '") + bad +
                      "': not a size written WxH, each side even and from 16 to 7680.\n");
    }
    testing::internal::CaptureStdout();
    EXPECT_FALSE(parse({"--export-video", "run.replay"}).exportVideoGiven);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Ignoring --export-video"), std::string::npos);
}

// The date after --daily is optional: an option word after it is not a date but the next option.
TEST(CommandLine, DailyTakesADateOnlyWhenOneFollows)
{
    const StartupOptions dated = parse({"--daily", "2026-12-09", "--ghost", "run.replay"});
    EXPECT_TRUE(dated.dailyGiven);
    EXPECT_EQ(dated.dailyDate, "2026-12-09");
    EXPECT_EQ(dated.ghostFile, "run.replay");
    const StartupOptions today = parse({"--daily", "--quality", "low"});
    EXPECT_TRUE(today.dailyGiven);
    EXPECT_EQ(today.dailyDate, "");
    EXPECT_EQ(today.quality, "low");
}
