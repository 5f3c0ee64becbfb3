#include <gtest/gtest.h>

#include <chrono>

#include "game_tree.h"
#include "test_window.h"
#include "ocr.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const std::string kPlayedRun = std::string(ZARNOK_SOURCE_DIR) + "/tests/data/replays/played-on-linux.replay";
// Around the runner, seen from behind and above; clear of the HUD and the bar.
const std::string kAroundTheRunner = "400x300+440+200";

void keys(const std::vector<std::string>& names)
{
    std::vector<std::string> command{"xdotool", "key", "--delay", "60"};
    command.insert(command.end(), names.begin(), names.end());
    commandOutput(command);
}

// The tick a line "... at tick N ..." names.
std::uint32_t tickIn(const std::string& line)
{
    const size_t at = line.find("tick ");
    return at == std::string::npos ? 0 : static_cast<std::uint32_t>(std::stoul(line.substr(at + 5)));
}

// The bar's clock, "0:05 / 0:23", and the speed or "Paused" with the points, as OCR reads them.
std::string barClock(const std::filesystem::path& shot)
{
    return readTextLine(shot, 14, 722, 210, 42).front();
}

std::string barState(const std::filesystem::path& shot)
{
    return readTextLine(shot, 974, 722, 300, 42).front();
}

} // namespace

// --replay of a played run in the viewer: Space stands it still (the bar says so, and its clock
// stays), Right skips 5 seconds, C shows the runner from outside and C again looks through its
// eyes, and twice the speed plays the last 5 seconds in well under the time they take at normal
// speed. Then the player takes the run over from the middle of the bar and drops the track: the
// last replay holds the recorded ticks and the player's, and verifies, and no table names it.
TEST(ReplayViewer, PausesSkipsSpeedsUpShowsTheRunnerAndHandsTheRunOver)
{
    PlayerFolders player;
    TempDir shots;
    ChildProcess game({builtGameBinary().string(), "--replay", kPlayedRun}, player.options());
    ASSERT_FALSE(game.waitForLine("Replaying a run of 1419 ticks").empty()) << game.outputSoFar();
    const std::string window = focusedGameWindow();
    ASSERT_FALSE(window.empty()) << game.outputSoFar();

    keys({"space"});
    const std::uint32_t paused = tickIn(game.waitForLine("Replay paused at tick "));
    ASSERT_GT(paused, 0u) << game.outputSoFar();
    ASSERT_TRUE(captureWindow(window, shots / "paused1.png"));
    ASSERT_TRUE(captureWindow(window, shots / "paused2.png"));
    EXPECT_NE(barState(shots / "paused1.png").find("Paused"), std::string::npos) << barState(shots / "paused1.png");
    EXPECT_EQ(barClock(shots / "paused1.png"), barClock(shots / "paused2.png")) << "the time stands still";
    EXPECT_NE(barClock(shots / "paused1.png").find("/ 0:23"), std::string::npos) << barClock(shots / "paused1.png");

    keys({"Right"});
    EXPECT_EQ(tickIn(game.waitForLine("Replay at tick ")), paused + 300) << game.outputSoFar();
    keys({"c"});
    ASSERT_FALSE(game.waitForLine("Chase view.").empty());
    ASSERT_TRUE(captureWindow(window, shots / "chase.png"));
    EXPECT_GE(runnerGreenShare(shots / "chase.png", kAroundTheRunner), 0.01) << "no runner in the chase view";
    keys({"c"});
    ASSERT_FALSE(game.waitForLine("First-person view.").empty());
    ASSERT_TRUE(captureWindow(window, shots / "eyes.png"));
    EXPECT_LT(runnerGreenShare(shots / "eyes.png", kAroundTheRunner), 0.001) << "the runner in its own eyes";

    // The last 5 seconds at normal speed, then again at twice the speed.
    // (The end is said once for End, then once for each time the run gets there.)
    keys({"End", "Left", "space"});
    ASSERT_FALSE(game.waitForLine("Replay resumed at tick 1119").empty()) << game.outputSoFar();
    const auto normalStart = Clock::now();
    ASSERT_FALSE(game.waitForLine("Game over at tick 1419", 2).empty()) << game.outputSoFar();
    const auto normal = Clock::now() - normalStart;
    keys({"equal", "Left"});
    ASSERT_FALSE(game.waitForLine("Replay at tick 1119", 2).empty()) << game.outputSoFar();
    const auto fastStart = Clock::now();
    ASSERT_FALSE(game.waitForLine("Game over at tick 1419", 3).empty()) << game.outputSoFar();
    const auto fast = Clock::now() - fastStart;
    EXPECT_LT(fast.count(), normal.count() * 3 / 4) << "twice the speed took " << fast.count() << " against "
                                                    << normal.count();

    // From the start, standing still: the middle of the bar's track, in the window's coordinates
    // from the top left.
    keys({"Home", "space"});
    ASSERT_FALSE(game.waitForLine("Replay paused at tick ", 2).empty()) << game.outputSoFar();
    commandOutput({"xdotool", "mousemove", "--window", window, "590", "738", "click", "1"});
    const std::uint32_t middle = tickIn(game.waitForLine("Replay at tick ", 6));
    EXPECT_NEAR(middle, 710, 30) << game.outputSoFar();
    keys({"Return"});
    ASSERT_FALSE(game.waitForLine("Playing on from tick " + std::to_string(middle)).empty()) << game.outputSoFar();
    keys({"2"});
    const std::uint32_t ended = tickIn(game.waitForLine("Game over at tick ", 4));
    EXPECT_GT(ended, middle) << game.outputSoFar();
    keys({"q"});
    EXPECT_EQ(game.wait(30s).exitCode, 0) << game.outputSoFar();

    const ProcessResult verified = runProcess(
        {builtGameBinary().string(), "--verify-replay", (player.data / "zarnok/replays/last.replay").string()}, {}, 60s);
    EXPECT_EQ(verified.exitCode, 0) << verified.out;
    EXPECT_NE(verified.out.find(" in " + std::to_string(ended) + " ticks, re-simulated"), std::string::npos)
        << verified.out;
    EXPECT_FALSE(std::filesystem::exists(player.data / "zarnok/replays/best.replay"));
    EXPECT_FALSE(std::filesystem::exists(player.data / "zarnok/scores"));
}
