#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "best_score.h"
#include "temp_dir.h"
#include "user_data.h"

namespace fs = std::filesystem;

namespace {

// The console lines a piece of code prints.
template <typename Code> std::string printed(Code code)
{
    testing::internal::CaptureStdout();
    code();
    return testing::internal::GetCapturedStdout();
}

} // namespace

TEST(BestScoreFile, HoldsAPlainDecimalNumberOnly)
{
    EXPECT_EQ(parseBestScore("0"), 0);
    EXPECT_EQ(parseBestScore("42\n"), 42);
    EXPECT_EQ(parseBestScore("42\r\n"), 42);
    EXPECT_EQ(parseBestScore("2147483647"), 2147483647);
    for (const char* text : {"", "\n", "-3", "+3", " 7", "7 ", "12a", "2147483648", "99999999999", "4\n\n", "\x01\x02"})
        EXPECT_FALSE(parseBestScore(text).has_value()) << ::testing::PrintToString(text);
}

TEST(BestScoreFile, KeepsTheBestOfTheRunsAndIsReplacedWhole)
{
    TempDir home;
    const fs::path file = home / "zarnok/best_score";
    EXPECT_EQ(printed([&] { EXPECT_EQ(BestScore(file).best(), 0); }), "") << "a missing file is no news";

    BestScore best(file);
    EXPECT_TRUE(best.recordRun(12));
    EXPECT_FALSE(best.recordRun(5));
    EXPECT_FALSE(best.recordRun(12));
    EXPECT_EQ(readFile(file), "12\n");
    EXPECT_TRUE(best.recordRun(30));
    EXPECT_EQ(readFile(file), "30\n");
    EXPECT_EQ(BestScore(file).best(), 30);
    // Nothing is left beside the file.
    EXPECT_EQ(std::distance(fs::directory_iterator(home / "zarnok"), fs::directory_iterator()), 1);

    // A game that saved a better run meanwhile is not overwritten.
    writeFile(file, "50\n");
    EXPECT_FALSE(best.recordRun(40));
    EXPECT_EQ(readFile(file), "50\n");
    EXPECT_EQ(best.best(), 50);
}

TEST(BestScoreFile, ABrokenFileIsReportedOnceCountsAsZeroAndIsReplacedByANewBest)
{
    TempDir home;
    const fs::path file = home / "best_score";
    for (const std::string& content : {std::string("-5\n"), std::string(100000, '7'), std::string("\0\x7f", 2)}) {
        writeFile(file, content);
        std::optional<BestScore> best;
        EXPECT_EQ(printed([&] { best.emplace(file); }), "Ignoring the best score file '" + file.string() +
                                                            "': it does not hold a plain number. Counting from 0.\n");
        EXPECT_EQ(best->best(), 0);
        EXPECT_EQ(readFile(file), content) << "kept until a run beats it";
        EXPECT_TRUE(best->recordRun(1));
        EXPECT_EQ(readFile(file), "1\n");
    }
}

TEST(BestScoreFile, AFolderInItsPlaceOrAnUnwritableFolderGiveOneLineAndTheGameGoesOn)
{
    TempDir home;
    fs::create_directories(home / "best_score");
    std::string lines = printed([&] {
        BestScore best(home / "best_score");
        EXPECT_TRUE(best.recordRun(9));
        EXPECT_EQ(best.best(), 9);
    });
    EXPECT_EQ(lines, "Ignoring the best score file '" + (home / "best_score").string() +
                         "': it is a folder, so no new best can be saved either. Counting from 0.\n");

    // A data folder that cannot be made: its parent is a file (this holds even for root).
    writeFile(home / "plain-file", "");
    const fs::path unwritable = home / "plain-file/zarnok/best_score";
    lines = printed([&] {
        BestScore best(unwritable);
        EXPECT_TRUE(best.recordRun(3));
        EXPECT_EQ(best.best(), 3);
    });
    EXPECT_EQ(lines.rfind("Could not save the best score to '" + unwritable.string() + "': ", 0), 0u) << lines;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1);
}

#ifndef _WIN32
TEST(UserDataFolder, FollowsXdgDataHomeElseTheHomeFolder)
{
    const char* data = std::getenv("XDG_DATA_HOME");
    const std::optional<std::string> savedData = data ? std::optional<std::string>(data) : std::nullopt;
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("XDG_DATA_HOME", "/data/home", 1);
    EXPECT_EQ(userDataFolder(), fs::path("/data/home/zarnok"));
    setenv("XDG_DATA_HOME", "relative/ignored", 1);
    setenv("HOME", "/home/player", 1);
    EXPECT_EQ(userDataFolder(), fs::path("/home/player/.local/share/zarnok"));
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(userDataFolder(), fs::path("/home/player/.local/share/zarnok"));
    if (savedData)
        setenv("XDG_DATA_HOME", savedData->c_str(), 1);
    setenv("HOME", savedHome.c_str(), 1);
}
#endif
