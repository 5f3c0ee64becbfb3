#include <gtest/gtest.h>

#include <algorithm>

#include "game_tree.h"

namespace {

const std::string kPlayedRun = std::string(ZARNOK_SOURCE_DIR) + "/tests/data/replays/played-on-linux.replay";

} // namespace

// The sounds a replay makes, each at its tick: the jumps, the powerup and the game over.
TEST(ReplayFromTheCommandLine, TheAudioLogSaysEverySoundAtTheTickItBelongsTo)
{
    const ProcessResult result = runProcess({builtGameBinary().string(), "--verify-replay", kPlayedRun, "--audio-log"});
    ASSERT_EQ(result.exitCode, 0) << result.out;
    const std::vector<std::string> lines = splitLines(result.out);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.back().rfind("Replay '", 0), 0u) << lines.back();
    EXPECT_EQ(lines[lines.size() - 2], "Tick 1419: game_over") << "the run ended at tick 1419";
    const auto said = [&](const std::string& sound) {
        return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.rfind("Tick ", 0) == 0 && line.find(": " + sound) != std::string::npos;
        });
    };
    EXPECT_GT(said("jump"), 0);
    EXPECT_EQ(said("powerup_"), 1) << "one powerup was passed";
    EXPECT_EQ(said("shifting"), 1) << "one shifting segment began";
}

TEST(ReplayFromTheCommandLine, AFileThatIsNoReplayIsRefusedInOneLineWithoutAWindow)
{
    const std::string notAReplay = std::string(ZARNOK_SOURCE_DIR) + "/README.md";
    for (const char* option : {"--verify-replay", "--replay"}) {
        ProcessOptions noDisplay;
        noDisplay.environment = {{"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}};
        const ProcessResult result = runProcess({builtGameBinary().string(), option, notAReplay}, noDisplay);
        EXPECT_EQ(result.exitCode, 1) << option;
        EXPECT_EQ(splitLines(result.out).back(),
                  "Cannot use the replay '" + notAReplay + "': it is not a ZARNOK replay.")
            << option;
    }
}
