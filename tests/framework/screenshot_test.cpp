#include <gtest/gtest.h>

#include "gl_context.h"
#include "process.h"
#include "screenshot.h"
#include "temp_dir.h"

namespace {

class Screenshot : public GlTest {
protected:
    // Fills the rectangle with a colour through the scissor test, so no shader is needed.
    static void fill(int x, int y, int width, int height, float r, float g, float b)
    {
        glEnable(GL_SCISSOR_TEST);
        glScissor(x, y, width, height);
        glClearColor(r, g, b, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
    }

    std::vector<std::string> capture(int width, int height)
    {
        writeScreenshot((tmp / "shot").string(), width, height);
        return splitLines(readFile(tmp / "shot.ppm"));
    }

    TempDir tmp;
};

} // namespace

TEST_F(Screenshot, ASinglePixelFrame)
{
    OffscreenTarget target(1, 1);
    fill(0, 0, 1, 1, 1, 0, 0);
    EXPECT_EQ(capture(1, 1), (std::vector<std::string>{"P3", "1 1", "255", "255   0   0 "}));
}

TEST_F(Screenshot, RowsRunTopDownAndStayTightlyPackedForOddWidths)
{
    // Width 5: 15 bytes a row, which GL would pad to 16 by default.
    OffscreenTarget target(5, 3);
    fill(0, 0, 5, 3, 0, 0, 0);
    fill(0, 2, 5, 1, 1, 1, 1);
    fill(4, 1, 1, 1, 0, 0, 1);
    fill(0, 0, 1, 1, 0, 1, 0);

    const std::vector<std::string> lines = capture(5, 3);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "P3");
    EXPECT_EQ(lines[1], "5 3");
    EXPECT_EQ(lines[2], "255");
    EXPECT_EQ(lines[3], "255 255 255 255 255 255 255 255 255 255 255 255 255 255 255 ");
    EXPECT_EQ(lines[4], "  0   0   0   0   0   0   0   0   0   0   0   0   0   0 255 ");
    EXPECT_EQ(lines[5], "  0 255   0   0   0   0   0   0   0   0   0   0   0   0   0 ");
}

TEST_F(Screenshot, EmptySizesWriteOnlyTheHeaderAndEmptyRows)
{
    OffscreenTarget target(4, 4);
    EXPECT_EQ(capture(4, 0), (std::vector<std::string>{"P3", "4 0", "255"}));
    EXPECT_EQ(capture(0, 2), (std::vector<std::string>{"P3", "0 2", "255", "", ""}));
}

TEST_F(Screenshot, ASecondWriteReplacesTheFirst)
{
    OffscreenTarget target(2, 1);
    fill(0, 0, 2, 1, 1, 1, 1);
    capture(2, 1);
    fill(0, 0, 2, 1, 0, 0, 0);
    EXPECT_EQ(capture(2, 1), (std::vector<std::string>{"P3", "2 1", "255", "  0   0   0   0   0   0 "}));
}

TEST_F(Screenshot, AFileThatCannotBeCreatedIsReportedAndSkipped)
{
    OffscreenTarget target(2, 2);
    const std::string base = (tmp / "no/such/folder/shot").string();
    testing::internal::CaptureStdout();
    writeScreenshot(base, 2, 2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR: Could not create screenshot file '" + base + ".ppm'.\n");
    EXPECT_FALSE(std::filesystem::exists(base + ".ppm"));
}
