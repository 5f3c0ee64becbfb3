#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <thread>

#include "game_tree.h"

namespace {

using namespace std::chrono_literals;

// How long to play: ZARNOK_SOAK_SECONDS, 60 by default.
int soakSeconds()
{
    const char* value = std::getenv("ZARNOK_SOAK_SECONDS");
    const int seconds = value ? std::atoi(value) : 0;
    return seconds > 0 ? seconds : 60;
}

void xdotool(const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    commandOutput(argv);
}

} // namespace

// The real game under random play: movement held and released, jumps, mouse movement, pausing
// and resuming, render toggles and the drop-all key. It must neither crash nor keep growing.
TEST(Soak, RandomPlayNeitherCrashesNorGrows)
{
    const auto duration = std::chrono::seconds(soakSeconds());
    // Memory should be flat once the first minute (or the first third of a short run) is over.
    const auto settled = std::min<std::chrono::seconds>(60s, duration / 3);

    ChildProcess game({builtGameBinary().string(), "--seed", "326"});
    const std::string window =
        splitLines(commandOutput({"xdotool", "search", "--sync", "--onlyvisible", "--name", "^ZARNOK 2023"}, 60s))
            .front();
    xdotool({"windowfocus", "--sync", window});

    std::mt19937 random(2023);
    const std::vector<std::string> movementKeys{"w", "a", "s", "d"};
    const std::vector<std::string> toggles{"F1", "F2", "n", "t"};
    const auto start = std::chrono::steady_clock::now();
    long settledKilobytes = -1;
    long peakKilobytes = 0;
    int actions = 0;
    for (auto now = start; now - start < duration; now = std::chrono::steady_clock::now()) {
        ASSERT_TRUE(game.running()) << "the game ended after " << actions << " actions\n" << game.outputSoFar();
        const int choice = static_cast<int>(random() % 100);
        if (choice < 35) {
            const std::string& key = movementKeys[random() % 4];
            xdotool({"keydown", key, "sleep", std::to_string(0.05 + (random() % 40) / 100.0), "keyup", key});
        } else if (choice < 55) {
            xdotool({"key", "space"});
        } else if (choice < 85) {
            xdotool({"mousemove_relative", "--", std::to_string(static_cast<int>(random() % 200) - 100),
                     std::to_string(static_cast<int>(random() % 100) - 50)});
        } else if (choice < 93) {
            xdotool({"key", "Escape", "sleep", "0.3", "key", "Escape"});
        } else if (choice < 99) {
            xdotool({"key", toggles[random() % 4]});
        } else {
            xdotool({"key", "2"});
        }
        ++actions;
        const long kilobytes = game.residentKilobytes();
        peakKilobytes = std::max(peakKilobytes, kilobytes);
        if (settledKilobytes < 0 && now - start >= settled)
            settledKilobytes = kilobytes;
        std::this_thread::sleep_for(50ms);
    }
    const long finalKilobytes = game.residentKilobytes();
    std::printf("soak: %lld s, %d actions, resident %ld kB after %lld s, %ld kB at the end, peak %ld kB\n",
                static_cast<long long>(duration.count()), actions, settledKilobytes,
                static_cast<long long>(settled.count()), finalKilobytes, peakKilobytes);

    // Every pause above was undone, so Escape pauses (or does nothing on the game-over screen) and Q,
    // handled after it, quits.
    xdotool({"key", "Escape", "key", "q"});
    const ProcessResult result = game.wait(30s);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_EQ(result.err.find("Sanitizer"), std::string::npos) << result.err;
    ASSERT_GT(settledKilobytes, 0);
    EXPECT_LT(finalKilobytes, settledKilobytes + settledKilobytes / 10 + 16 * 1024)
        << "resident memory grew from " << settledKilobytes << " kB to " << finalKilobytes << " kB";
}
