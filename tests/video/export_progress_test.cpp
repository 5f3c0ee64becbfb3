#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "export_progress.h"

// Where no terminal shows it, the progress is a line at each tenth, and only one, however the
// frames fall.
TEST(ExportProgress, SaysEachTenthOnceWhereNoTerminalShowsIt)
{
    testing::internal::CaptureStdout();
    ExportProgress progress(173, false);
    for (int done = 1; done <= 173; ++done)
        progress.frameDone(done, done / 120.0);
    progress.finish();
    std::istringstream printed(testing::internal::GetCapturedStdout());
    std::vector<std::string> lines;
    for (std::string line; std::getline(printed, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines.front(), "Exported 10% (18 of 173 frames), 2.0x real time, 0:01 left.");
    EXPECT_EQ(lines[4], "Exported 50% (87 of 173 frames), 2.0x real time, 0:01 left.");
    EXPECT_EQ(lines.back(), "Exported 100% (173 of 173 frames), 2.0x real time, 0:00 left.");

    EXPECT_EQ(ExportProgress::describe(600, 10800, 20.0), "5% (600 of 10800 frames), 0.5x real time, 5:40 left");
    EXPECT_EQ(videoClockTime(3599.6), "60:00");
}
