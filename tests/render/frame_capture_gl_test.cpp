#include <gtest/gtest.h>

#include <cmath>

#include "frame_capture.h"
#include "gl_context.h"

using FrameCaptureTest = GlTest;

namespace {

// Frame `n`: a bottom half whose red says n, and a green top half.
void drawFrame(int n)
{
    glClearColor(static_cast<float>(n) * 0.25f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 2, 8, 2);
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

} // namespace

// Each frame comes back two frames after it was drawn, oldest first and the last ones on asking,
// resolved from its samples, as RGBA rows from the bottom up.
TEST_F(FrameCaptureTest, GivesEveryFrameBackInTheOrderDrawnBottomRowFirst)
{
    for (int samples : {1, 4}) {
        const std::unique_ptr<FrameCapture> capture = FrameCapture::create(8, 4, samples);
        ASSERT_TRUE(capture);
        std::vector<int> reds;
        std::vector<std::uint8_t> pixels;
        for (int n = 0; n < 4; ++n) {
            capture->bind();
            drawFrame(n);
            capture->readBack();
            const bool taken = capture->take(pixels, false);
            EXPECT_EQ(taken, n >= 2) << "frame " << n << ", " << samples << " samples";
            if (taken)
                reds.push_back(pixels[0]);
        }
        while (capture->take(pixels, true)) {
            reds.push_back(pixels[0]);
            ASSERT_EQ(pixels.size(), 8u * 4u * 4u);
            EXPECT_EQ(pixels[1], 0);
            EXPECT_EQ(pixels[(3 * 8 + 7) * 4 + 1], 255) << "the top right pixel is green";
            EXPECT_EQ(pixels[(3 * 8 + 7) * 4 + 3], 255);
        }
        EXPECT_EQ(reds, (std::vector<int>{0, 64, 128, 191})) << samples << " samples";
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}
