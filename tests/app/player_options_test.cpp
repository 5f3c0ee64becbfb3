#include <gtest/gtest.h>

#include "player_options.h"
#include "temp_dir.h"

namespace {

// The options read from a file of `content`, and what the game said about it.
std::pair<PlayerOptions, std::string> optionsFrom(const std::string& content)
{
    TempDir home;
    writeFile(home / "options.ini", content);
    testing::internal::CaptureStdout();
    const PlayerOptions options = loadPlayerOptions(home / "options.ini");
    return {options, testing::internal::GetCapturedStdout()};
}

int lines(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

TEST(PlayerOptions, TheVolumesComeFromTheFileAndEachBadValueFromTheDefaults)
{
    const auto [good, quiet] = optionsFrom("[audio]\nmaster = 100\nmusic = 0\neffects = 35\n");
    EXPECT_EQ(good.audio.master, 100);
    EXPECT_EQ(good.audio.music, 0);
    EXPECT_EQ(good.audio.effects, 35);
    EXPECT_EQ(quiet, "");

    const auto [bad, said] = optionsFrom("[audio]\nmaster = loud\nmusic = 101\neffects = 35\n");
    EXPECT_EQ(bad.audio.master, 80);
    EXPECT_EQ(bad.audio.music, 60);
    EXPECT_EQ(bad.audio.effects, 35);
    EXPECT_EQ(lines(said), 1) << said;
    EXPECT_NE(said.find("master = loud is not a whole number from 0 to 100"), std::string::npos) << said;
    EXPECT_NE(said.find("music = 101"), std::string::npos) << said;

    TempDir none;
    testing::internal::CaptureStdout();
    EXPECT_EQ(loadPlayerOptions(none / "options.ini").audio.master, 80) << "no file is no error";
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(PlayerOptions, AFileThatIsNoOptionsFileIsSaidInOneLineAndTheDefaultsUsed)
{
    const auto [binary, saidBinary] = optionsFrom(std::string("[audio]\nmaster = 5\n\0\x01\x02", 22));
    EXPECT_EQ(binary.audio.master, 80);
    EXPECT_EQ(lines(saidBinary), 1);
    EXPECT_NE(saidBinary.find("it is not a text file"), std::string::npos) << saidBinary;

    const auto [huge, saidHuge] = optionsFrom("[audio]\nmaster = 5\n" + std::string(100000, ';'));
    EXPECT_EQ(huge.audio.master, 80);
    EXPECT_NE(saidHuge.find("it is too large"), std::string::npos) << saidHuge;

    TempDir home;
    std::filesystem::create_directories(home / "options.ini");
    testing::internal::CaptureStdout();
    EXPECT_EQ(loadPlayerOptions(home / "options.ini").audio.effects, 80);
    const std::string saidFolder = testing::internal::GetCapturedStdout();
    EXPECT_NE(saidFolder.find("it is a folder"), std::string::npos) << saidFolder;
}
