#include <gtest/gtest.h>

#include "gl_context.h"
#include "key_input.h"
#include "options_screen.h"

namespace {

class KeyCallback : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        appFlags = AppFlags{};
        glfwSetWindowShouldClose(window, GLFW_FALSE);
    }
    void TearDown() override
    {
        applyPolygonMode(false);
        applyCulling(false);
        appFlags = AppFlags{};
    }

    static void release(int key) { keyCallback(window, key, 0, GLFW_RELEASE, 0); }
};

GLint polygonMode()
{
    GLint mode[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, mode);
    return mode[0];
}

} // namespace

TEST_F(KeyCallback, F1SwitchesThePolygonModeAtOnce)
{
    release(GLFW_KEY_F1);
    EXPECT_TRUE(appFlags.wireframeEnabled);
    EXPECT_EQ(polygonMode(), GL_LINE);
    release(GLFW_KEY_F1);
    EXPECT_EQ(polygonMode(), GL_FILL);
}

TEST_F(KeyCallback, F2SwitchesCullingAtOnce)
{
    release(GLFW_KEY_F2);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    release(GLFW_KEY_F2);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
}

TEST_F(KeyCallback, QClosesTheWindowOnlyWhenPaused)
{
    release(GLFW_KEY_Q);
    EXPECT_FALSE(glfwWindowShouldClose(window));
    release(GLFW_KEY_ESCAPE);
    release(GLFW_KEY_Q);
    EXPECT_TRUE(glfwWindowShouldClose(window));
}

// Escape closes the options screen on its press. Its release, even a poll later, must not reach
// the pause screen and resume the game; the next Escape does.
TEST_F(KeyCallback, TheReleaseOfTheKeyThatClosedTheOptionsScreenStaysWithIt)
{
    WindowInput input;
    glfwSetWindowUserPointer(window, &input);
    appFlags.paused = true;
    OptionsMenu menu{PlayerOptions{}};
    input.menuOpen = true;
    keyCallback(window, GLFW_KEY_ESCAPE, 0, GLFW_PRESS, 0);
    EXPECT_TRUE(workOptionsMenu(menu, input, PadReading{}, 1.0f, 1280, 768).empty());
    ASSERT_TRUE(menu.closed());
    input.menuOpen = false;

    release(GLFW_KEY_ESCAPE);
    EXPECT_TRUE(appFlags.paused);
    keyCallback(window, GLFW_KEY_ESCAPE, 0, GLFW_PRESS, 0);
    release(GLFW_KEY_ESCAPE);
    EXPECT_FALSE(appFlags.paused);
    glfwSetWindowUserPointer(window, nullptr);
}
