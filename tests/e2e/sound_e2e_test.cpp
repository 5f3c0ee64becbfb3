#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <thread>

#include "game_tree.h"
#include "temp_dir.h"

namespace {

using namespace std::chrono_literals;

// SDL's disk driver writes what the game plays as it plays it: stereo 32-bit floats at 22050 Hz.
constexpr std::uintmax_t kBytesASecond = 22050 * 2 * sizeof(float);

class PlayedSound : public ::testing::Test {
protected:
    // The game on the long track, its sound going to `driver`.
    void start(const std::string& driver)
    {
        ProcessOptions options;
        options.environment["XDG_DATA_HOME"] = dataHome.path().string();
        options.environment["SDL_AUDIODRIVER"] = driver;
        options.environment["SDL_DISKAUDIOFILE"] = soundFile().string();
        game = std::make_unique<ChildProcess>(std::vector<std::string>{builtGameBinary().string(), "--seed", "326"},
                                              options);
        const std::string found =
            commandOutput({"xdotool", "search", "--sync", "--onlyvisible", "--name", "^ZARNOK 2023"}, 60s);
        ASSERT_FALSE(found.empty()) << game->outputSoFar();
        commandOutput({"xdotool", "windowfocus", "--sync", splitLines(found).front()});
        ASSERT_FALSE(game->waitForLine("Run started with seed").empty()) << game->outputSoFar();
    }

    void TearDown() override
    {
        if (game && game->running())
            game->wait(1ms);
    }

    std::filesystem::path soundFile() const { return dataHome / "sound.raw"; }

    // Waits until the game has played `bytes` of sound.
    bool soundReaches(std::uintmax_t bytes)
    {
        const auto deadline = std::chrono::steady_clock::now() + 60s;
        std::error_code error;
        while (std::filesystem::file_size(soundFile(), error) < bytes || error) {
            if (!game->running() || std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(20ms);
        }
        return true;
    }

    // The loudest 50 ms (root mean square of the left channel) between two byte offsets.
    float loudest(std::uintmax_t from, std::uintmax_t to) const
    {
        std::ifstream in(soundFile(), std::ios::binary);
        in.seekg(static_cast<std::streamoff>(from));
        std::vector<float> samples((to - from) / sizeof(float));
        in.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * sizeof(float)));
        constexpr size_t kWindow = 2 * 1102;
        float most = 0.0f;
        for (size_t start = 0; start + kWindow <= samples.size(); start += kWindow) {
            double sum = 0.0;
            for (size_t i = start; i < start + kWindow; i += 2)
                sum += static_cast<double>(samples[i]) * samples[i];
            most = std::max(most, static_cast<float>(std::sqrt(sum / (kWindow / 2))));
        }
        return most;
    }

    void press(const std::string& key) { commandOutput({"xdotool", "key", "--delay", "50", key}); }

    TempDir dataHome;
    std::unique_ptr<ChildProcess> game;
};

} // namespace

// Through a real SDL device (the disk driver): the music is heard within the first second, and
// a jump above it.
TEST_F(PlayedSound, TheMusicPlaysFromTheStartAndAJumpIsHeardAboveIt)
{
    start("disk");
    ASSERT_TRUE(soundReaches(kBytesASecond)) << game->outputSoFar();
    const float music = loudest(0, kBytesASecond);
    EXPECT_GT(music, 0.01f) << "the first second is silent";
    const std::uintmax_t pressed = std::filesystem::file_size(soundFile());
    // The track steps down in places, where the runner is in the air for up to a fifth of a
    // second and Space does nothing: of three presses 0.3 s apart, one finds the ground.
    commandOutput({"xdotool", "key", "--delay", "300", "space", "space", "space"});
    ASSERT_TRUE(soundReaches(pressed + kBytesASecond)) << game->outputSoFar();
    const float before = loudest(pressed - kBytesASecond, pressed);
    const float after = loudest(pressed, pressed + kBytesASecond);
    EXPECT_GT(after, 1.5f * before) << "the second before: " << before << ", after Space: " << after;

    press("Escape");
    press("q");
    const ProcessResult result = game->wait(30s);
    EXPECT_EQ(result.exitCode, 0) << result.out;
    EXPECT_EQ(result.out.find("No audio device"), std::string::npos) << result.out;
}

TEST_F(PlayedSound, WithoutADeviceTheGameSaysSoOnceAndPlaysOn)
{
    start("no-such-driver");
    press("Escape");
    EXPECT_FALSE(game->waitForLine("Paused at tick").empty()) << game->outputSoFar();
    press("q");
    const ProcessResult result = game->wait(30s);
    EXPECT_EQ(result.exitCode, 0) << result.out;
    int said = 0;
    for (const std::string& line : splitLines(result.out))
        said += line.rfind("No audio device: playing without sound", 0) == 0 ? 1 : 0;
    EXPECT_EQ(said, 1) << result.out;
}
