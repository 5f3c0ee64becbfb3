#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <thread>

#include "game_tree.h"

namespace {

using namespace std::chrono_literals;

// A track on which a player who touches nothing survives for many seconds at any frame rate.
const std::string kLongTrackSeed = "326";

// The number in the final line "scored  N points", or -1 if the output does not end with one.
int finalScore(const std::string& output)
{
    const std::vector<std::string> lines = splitLines(output);
    if (lines.empty())
        return -1;
    const std::string& last = lines.back();
    const std::string prefix = "scored  ";
    const std::string suffix = " points";
    if (last.rfind(prefix, 0) != 0 || last.size() <= prefix.size() + suffix.size() ||
        last.compare(last.size() - suffix.size(), suffix.size(), suffix) != 0)
        return -1;
    const std::string number = last.substr(prefix.size(), last.size() - prefix.size() - suffix.size());
    if (!std::all_of(number.begin(), number.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
        return -1;
    return std::stoi(number);
}

// Drives the real game window through the X server with xdotool, as a player's keyboard would.
class PlayedGame : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = std::make_unique<ChildProcess>(
            std::vector<std::string>{builtGameBinary().string(), "--seed", kLongTrackSeed});
        windowId = commandOutput({"xdotool", "search", "--sync", "--onlyvisible", "--name", "^ZARNOK 2023"}, 60s);
        ASSERT_FALSE(windowId.empty()) << game->outputSoFar();
        windowId = splitLines(windowId).front();
        commandOutput({"xdotool", "windowfocus", "--sync", windowId});
    }

    void TearDown() override
    {
        if (game && game->running())
            game->wait(1ms);
    }

    void press(const std::string& key)
    {
        commandOutput({"xdotool", "key", "--delay", "50", key});
        std::this_thread::sleep_for(300ms);
    }

    std::string title() { return commandOutput({"xdotool", "getwindowname", windowId}); }

    static bool isFrameRateTitle(const std::string& text)
    {
        const std::string prefix = "ZARNOK 2023 | FPS: ";
        if (text.rfind(prefix, 0) != 0 || text.size() == prefix.size())
            return false;
        return std::all_of(text.begin() + static_cast<long>(prefix.size()), text.end(),
                           [](unsigned char c) { return std::isdigit(c) != 0; });
    }

    std::unique_ptr<ChildProcess> game;
    std::string windowId;
};

} // namespace

TEST_F(PlayedGame, TheTitleShowsTheFrameRate)
{
    std::string current;
    for (int attempt = 0; attempt < 100 && !isFrameRateTitle(current); ++attempt) {
        std::this_thread::sleep_for(100ms);
        current = title();
    }
    EXPECT_TRUE(isFrameRateTitle(current)) << current;
}

TEST_F(PlayedGame, QQuitsOnlyFromThePauseScreen)
{
    press("q");
    std::this_thread::sleep_for(500ms);
    ASSERT_TRUE(game->running()) << "Q during play must not quit";

    press("F1");
    press("F2");
    press("F1");
    press("F2");
    ASSERT_TRUE(game->running());

    press("Escape");
    press("q");
    const ProcessResult result = game->wait(30s);
    EXPECT_EQ(result.exitCode, 0) << result.out;
    EXPECT_GE(finalScore(result.out), 0) << result.out;
}

TEST_F(PlayedGame, RunningWithoutInputDropsTheCubesThePlayerTouches)
{
    std::this_thread::sleep_for(12s);
    press("Escape");
    press("q");
    const ProcessResult result = game->wait(30s);
    EXPECT_EQ(result.exitCode, 0) << result.out;
    EXPECT_GE(finalScore(result.out), 1) << result.out;
}

TEST_F(PlayedGame, ReleasingTwoDropsEveryCubeAndTheFallEndsTheGame)
{
    press("2");
    // The player falls with the cubes; once the game is over, Q alone quits.
    std::this_thread::sleep_for(8s);
    press("q");
    const ProcessResult result = game->wait(30s);
    EXPECT_EQ(result.exitCode, 0) << "Q did not quit: the game was not over\n" << result.out;
    EXPECT_GE(finalScore(result.out), 0) << result.out;
}
