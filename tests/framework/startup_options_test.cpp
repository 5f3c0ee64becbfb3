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
