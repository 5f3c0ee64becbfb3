#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <thread>

#include "game_tree.h"

namespace {

using namespace std::chrono_literals;

// Drives the real game window through the X server with xdotool, as a player's keyboard would.
class PlayedGame : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = std::make_unique<ChildProcess>(std::vector<std::string>{builtGameBinary().string()});
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
    const std::vector<std::string> lines = splitLines(result.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "scored  0 points");
}
