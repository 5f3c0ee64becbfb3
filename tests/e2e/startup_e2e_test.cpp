#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "game_tree.h"
#include "ppm.h"

namespace fs = std::filesystem;

namespace {

const std::string kBanner = ":::::: WELCOME TO ZARNOK 2023 ::::::";

bool contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The positions of `wanted` in `lines`, in order; fails the test if one is missing.
std::vector<size_t> positionsOf(const std::vector<std::string>& lines, const std::vector<std::string>& wanted)
{
    std::vector<size_t> positions;
    for (const std::string& line : wanted) {
        const auto found = std::find(lines.begin(), lines.end(), line);
        EXPECT_NE(found, lines.end()) << "missing line: " << line;
        positions.push_back(static_cast<size_t>(found - lines.begin()));
    }
    return positions;
}

PpmImage screenshot(const fs::path& path)
{
    PpmImage image;
    std::string error;
    EXPECT_TRUE(readPpm(path, image, error)) << path << ": " << error;
    return image;
}

} // namespace

TEST(HeadlessRun, StartsRendersOneFrameAndWritesItFromAnyWorkingDirectory)
{
    TempDir cwd;
    const ProcessResult result = runProcess({builtGameBinary().string(), "--run_headless", "--filename", "shot"},
                                            ProcessOptions{cwd.path(), {}, false}, std::chrono::seconds(90));
    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;

    const std::vector<std::string> lines = splitLines(result.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), kBanner);
    const std::vector<size_t> order =
        positionsOf(lines, {kBanner, "GLFW was initialized.", "GLEW was initialized.", "Framework was initialized."});
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
    EXPECT_EQ(lines.back(), "scored  0 points");

    const PpmImage image = screenshot(cwd / "shot.ppm");
    EXPECT_EQ(image.width, 1280);
    EXPECT_EQ(image.height, 768);
}

TEST(HeadlessRun, WithoutAFileNameTheScreenshotIsCalledScreenshot)
{
    GameTree tree;
    const ProcessResult result = tree.run({"--run_headless"});
    ASSERT_EQ(result.exitCode, 0) << result.out;
    EXPECT_TRUE(fs::exists(tree.path("screenshot.ppm")));
}

// Windows opening together take the focus from one another; no headless frame may show the pause
// screen for it.
TEST(HeadlessRun, RunsStartedTogetherEachDrawTheFrameOfARunAlone)
{
    GameTree tree;
    writeFile(tree.path("assets/settings/window.ini"), "[window]\nwidth = 320\nheight = 200\n");
    ASSERT_EQ(tree.run({"--run_headless", "--seed", "326", "--filename", "alone"}).exitCode, 0);
    std::vector<std::unique_ptr<ChildProcess>> runs;
    for (const char* name : {"together1", "together2", "together3", "together4"})
        runs.push_back(std::make_unique<ChildProcess>(
            std::vector<std::string>{tree.binary().string(), "--run_headless", "--seed", "326", "--filename", name},
            ProcessOptions{tree.root(), {}, false}));
    for (auto& run : runs)
        ASSERT_EQ(run->wait(std::chrono::seconds(90)).exitCode, 0);
    const std::string alone = readFile(tree.path("alone.ppm"));
    for (const char* name : {"together1.ppm", "together2.ppm", "together3.ppm", "together4.ppm"})
        EXPECT_TRUE(readFile(tree.path(name)) == alone) << name << " differs from the frame of a run alone";
}

TEST(Settings, TheWindowSizeComesFromWindowIni)
{
    GameTree tree;
    writeFile(tree.path("assets/settings/window.ini"), "[window]\nwidth = 320\nheight = 200\n");
    const ProcessResult result = tree.run({"--run_headless", "--filename", "small"});
    ASSERT_EQ(result.exitCode, 0) << result.out;
    const PpmImage image = screenshot(tree.path("small.ppm"));
    EXPECT_EQ(image.width, 320);
    EXPECT_EQ(image.height, 200);
}

TEST(Settings, AMissingFileIsReportedAndTheGameRunsOnDefaults)
{
    GameTree tree;
    fs::remove(tree.path("assets/settings/window.ini"));
    const ProcessResult result = tree.run({"--run_headless", "--filename", "defaults"});
    ASSERT_EQ(result.exitCode, 0) << result.out;
    EXPECT_TRUE(contains(splitLines(result.out),
                         "ERROR: Failed to load 'assets/settings/window.ini'. Using default values instead."));
    const PpmImage image = screenshot(tree.path("defaults.ppm"));
    EXPECT_EQ(image.width, 1280);
    EXPECT_EQ(image.height, 768);
}

TEST(Settings, InitRendererReplacesTheRendererFile)
{
    GameTree tree;
    fs::rename(tree.path("assets/settings/renderer_standard.ini"), tree.path("assets/settings/my_renderer.ini"));
    const ProcessResult replaced = tree.run({"--run_headless", "--init_renderer", "assets/settings/my_renderer.ini"});
    ASSERT_EQ(replaced.exitCode, 0) << replaced.out;
    // The default file is gone, yet nothing is reported: it was never read.
    EXPECT_EQ(replaced.out.find("ERROR"), std::string::npos) << replaced.out;

    const ProcessResult missing = tree.run({"--run_headless", "--init_renderer", "nothing.ini"});
    ASSERT_EQ(missing.exitCode, 0) << missing.out;
    const std::vector<std::string> lines = splitLines(missing.out);
    EXPECT_TRUE(contains(lines, "ERROR: Failed to load 'nothing.ini'. Using default values instead."));
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(), [](const std::string& line) { return line.rfind("ERROR", 0) == 0; }),
        1);
}

TEST(Settings, InitCameraReplacesTheCameraFile)
{
    GameTree tree;
    const ProcessResult result = tree.run({"--run_headless", "--init_camera", "assets/settings/side_camera.ini"});
    ASSERT_EQ(result.exitCode, 0) << result.out;
    EXPECT_TRUE(contains(splitLines(result.out),
                         "ERROR: Failed to load 'assets/settings/side_camera.ini'. Using default values instead."));
}

TEST(Settings, ASecondCopyOfASettingsFileIsFatal)
{
    GameTree tree;
    fs::create_directories(tree.path("build/assets/settings"));
    fs::copy_file(tree.path("assets/settings/window.ini"), tree.path("build/assets/settings/window.ini"));
    const ProcessResult result = tree.run({"--run_headless"});
    EXPECT_EQ(result.exitCode, 1);
    const std::vector<std::string> expected{
        kBanner,
        "Ambiguous asset file path: 'assets/settings/window.ini'",
        "Found this path at multiple locations. Don't know which one shall be used. Candidates are:",
        "  - " + tree.path("build/assets/settings/window.ini").string(),
        "  - " + tree.path("assets/settings/window.ini").string(),
        "Remove all duplicates to fix this!",
    };
    EXPECT_EQ(splitLines(result.out), expected);
}

TEST(StartupFailure, WithoutADisplayGlfwFailsAndTheGameWaitsForAKey)
{
    ProcessOptions options;
    options.environment = {{"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}};
    options.keepStdinOpen = true;
    ChildProcess game({builtGameBinary().string()}, options);

    // The message is out, but the game holds the console open until a key arrives.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (game.outputSoFar().find("ERROR: Failed to init GLFW") == std::string::npos &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(game.running());
    game.writeStdin("\n");
    const ProcessResult result = game.wait(std::chrono::seconds(20));

    EXPECT_EQ(result.exitCode, 1);
    const std::vector<std::string> lines = splitLines(result.out);
    ASSERT_EQ(lines.size(), 3u) << result.out;
    EXPECT_EQ(lines[0], kBanner);
    EXPECT_EQ(lines[1].rfind("GLFW error ", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2], "ERROR: Failed to init GLFW");
}

TEST(StartupFailure, EndOfInputCountsAsTheKey)
{
    ProcessOptions options;
    options.environment = {{"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}};
    const ProcessResult result = runProcess({builtGameBinary().string()}, options, std::chrono::seconds(20));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(splitLines(result.out).back(), "ERROR: Failed to init GLFW");
}

TEST(Settings, AWindowSizeOutOfRangeIsReportedAndTheDefaultUsed)
{
    GameTree tree;
    writeFile(tree.path("assets/settings/window.ini"), "[window]\nwidth = 0\nheight = 99999\n");
    const ProcessResult result = tree.run({"--run_headless", "--filename", "sized"});
    EXPECT_EQ(result.exitCode, 0);
    const std::vector<std::string> lines = splitLines(result.out);
    EXPECT_TRUE(contains(lines, "Ignoring width = 0 in 'assets/settings/window.ini': not between 1 and 8192. "
                                "Using 1280 instead."));
    EXPECT_TRUE(contains(lines, "Ignoring height = 99999 in 'assets/settings/window.ini': not between 1 and 8192. "
                                "Using 768 instead."));
    const PpmImage image = screenshot(tree.path("sized.ppm"));
    EXPECT_EQ(image.width, 1280);
    EXPECT_EQ(image.height, 768);
}

TEST(Benchmark, PlaysTheFramesAndReportsTheirTiming)
{
    for (const char* mode : {"--benchmark", "--benchmark-empty"}) {
        const ProcessResult result =
            runProcess({builtGameBinary().string(), mode, "30"}, {}, std::chrono::seconds(120));
        EXPECT_EQ(result.exitCode, 0) << mode << "\n" << result.out;
        const std::vector<std::string> lines = splitLines(result.out);
        ASSERT_GE(lines.size(), 2u) << mode;
        EXPECT_EQ(lines[lines.size() - 2].rfind("Benchmark: 30 frames in ", 0), 0u) << lines[lines.size() - 2];
        EXPECT_EQ(lines.back().rfind("scored  ", 0), 0u) << mode;
    }
}

// A player asks before playing: the answers need no window, so no display either.
TEST(CommandLine, HelpAndVersionAnswerWithoutADisplay)
{
    ProcessOptions noDisplay;
    noDisplay.environment["DISPLAY"] = std::nullopt;
    noDisplay.environment["WAYLAND_DISPLAY"] = std::nullopt;
    const ProcessResult help = runProcess({builtGameBinary().string(), "--help"}, noDisplay);
    EXPECT_EQ(help.exitCode, 0) << help.out << help.err;
    const std::vector<std::string> lines = splitLines(help.out);
    ASSERT_GE(lines.size(), 10u);
    EXPECT_EQ(lines.front(), ":::::: WELCOME TO ZARNOK 2023 ::::::");
    for (const char* words : {"--run_headless", "--filename NAME", "--seed N", "--benchmark N", "--benchmark-empty N",
                              "--version", "Controls:", "play again"})
        EXPECT_NE(help.out.find(words), std::string::npos) << words;

    const ProcessResult version = runProcess({builtGameBinary().string(), "--version"}, noDisplay);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(splitLines(version.out),
              (std::vector<std::string>{":::::: WELCOME TO ZARNOK 2023 ::::::", "zarnok 2023.1",
                                        "Copyright (c) 2026 The ZARNOK 2023 developers. Free software under the "
                                        "MIT licence."}));
}
