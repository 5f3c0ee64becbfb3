#include <gtest/gtest.h>

#include "gl_context.h"
#include "key_input.h"

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
