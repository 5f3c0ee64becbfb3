#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <vector>

#include "console.h"
#include "temp_dir.h"

namespace {

std::vector<std::string> linesOf(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// "2026-12-10 11:52:03.123 ": the date and time, to the millisecond, and a blank.
bool startsWithItsTime(const std::string& line)
{
    const std::string shape = "dddd-dd-dd dd:dd:dd.ddd ";
    if (line.size() < shape.size())
        return false;
    for (size_t i = 0; i < shape.size(); ++i)
        if (shape[i] == 'd' ? !std::isdigit(static_cast<unsigned char>(line[i])) : line[i] != shape[i])
            return false;
    return true;
}

} // namespace

// Each session's lines, with their times, the lines before the log began among them; four sessions
// leave the log and three older ones, and no more. A log that cannot be made says why.
TEST(ConsoleLog, KeepsEachSessionsLinesWithTheirTimesAndThreeSessionsBefore)
{
    TempDir folder;
    const std::filesystem::path log = folder / "state/zarnok.log";
    testing::internal::CaptureStdout();
    printLine("before the log");
    for (int session = 1; session <= 4; ++session) {
        std::string error;
        ASSERT_TRUE(startLog(log, error)) << error;
        printLine("in session " + std::to_string(session));
    }
    keepNoLog();
    printLine("after the logs");
    testing::internal::GetCapturedStdout();

    const std::vector<std::string> newest = linesOf(log);
    ASSERT_EQ(newest.size(), 1u);
    EXPECT_TRUE(startsWithItsTime(newest[0])) << newest[0];
    EXPECT_EQ(newest[0].substr(24), "in session 4");
    const std::vector<std::string> before = linesOf(folder / "state/zarnok.log.1");
    ASSERT_EQ(before.size(), 1u);
    EXPECT_EQ(before[0].substr(24), "in session 3");
    // The first also holds what was printed before it began.
    const std::vector<std::string> oldest = linesOf(folder / "state/zarnok.log.3");
    ASSERT_GE(oldest.size(), 2u);
    EXPECT_EQ(oldest[oldest.size() - 2].substr(24), "before the log");
    EXPECT_EQ(oldest.back().substr(24), "in session 1");
    EXPECT_FALSE(std::filesystem::exists(folder / "state/zarnok.log.4"));

    std::ofstream(folder / "file") << "not a folder";
    std::string error;
    EXPECT_FALSE(startLog(folder / "file/zarnok.log", error));
    EXPECT_FALSE(error.empty());
    keepNoLog();
}
