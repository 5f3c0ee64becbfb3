#include <gtest/gtest.h>

#include "gl.h"
#include "key_input.h"

namespace {
const KeyBindings keys; // the default keys
} // namespace

TEST(KeyInput, MovementKeysActWhileHeld)
{
    AppFlags flags;
    applyKeyEvent(flags, keys, GLFW_KEY_W, GLFW_PRESS);
    applyKeyEvent(flags, keys, GLFW_KEY_A, GLFW_PRESS);
    applyKeyEvent(flags, keys, GLFW_KEY_S, GLFW_PRESS);
    applyKeyEvent(flags, keys, GLFW_KEY_D, GLFW_PRESS);
    EXPECT_TRUE(flags.moveForwardHeld && flags.moveLeftHeld && flags.moveBackwardHeld && flags.moveRightHeld);
    applyKeyEvent(flags, keys, GLFW_KEY_W, GLFW_REPEAT);
    EXPECT_TRUE(flags.moveForwardHeld);
    applyKeyEvent(flags, keys, GLFW_KEY_W, GLFW_RELEASE);
    applyKeyEvent(flags, keys, GLFW_KEY_D, GLFW_RELEASE);
    EXPECT_FALSE(flags.moveForwardHeld);
    EXPECT_FALSE(flags.moveRightHeld);
    EXPECT_TRUE(flags.moveLeftHeld && flags.moveBackwardHeld);
}

TEST(KeyInput, SpaceRequestsAJumpOnThePress)
{
    AppFlags flags;
    applyKeyEvent(flags, keys, GLFW_KEY_SPACE, GLFW_RELEASE);
    EXPECT_FALSE(flags.jumpRequested);
    applyKeyEvent(flags, keys, GLFW_KEY_SPACE, GLFW_PRESS);
    EXPECT_TRUE(flags.jumpRequested);
}

TEST(KeyInput, ToggleKeysActOnTheReleaseOnly)
{
    AppFlags flags;
    for (int key : {GLFW_KEY_N, GLFW_KEY_T, GLFW_KEY_ESCAPE, GLFW_KEY_2, GLFW_KEY_F1, GLFW_KEY_F2}) {
        applyKeyEvent(flags, keys, key, GLFW_PRESS);
        applyKeyEvent(flags, keys, key, GLFW_REPEAT);
    }
    EXPECT_FALSE(flags.showNormals || flags.showTexCoords || flags.paused || flags.dropAllRequested ||
                 flags.wireframeEnabled || flags.cullingEnabled);

    applyKeyEvent(flags, keys, GLFW_KEY_N, GLFW_RELEASE);
    applyKeyEvent(flags, keys, GLFW_KEY_T, GLFW_RELEASE);
    applyKeyEvent(flags, keys, GLFW_KEY_2, GLFW_RELEASE);
    EXPECT_TRUE(flags.showNormals && flags.showTexCoords && flags.dropAllRequested);
    applyKeyEvent(flags, keys, GLFW_KEY_N, GLFW_RELEASE);
    EXPECT_FALSE(flags.showNormals);
}

TEST(KeyInput, EscapePausesAndResumesButNotAfterGameOver)
{
    AppFlags flags;
    applyKeyEvent(flags, keys, GLFW_KEY_ESCAPE, GLFW_RELEASE);
    EXPECT_TRUE(flags.paused);
    applyKeyEvent(flags, keys, GLFW_KEY_ESCAPE, GLFW_RELEASE);
    EXPECT_FALSE(flags.paused);

    flags.gameOver = true;
    flags.paused = true;
    applyKeyEvent(flags, keys, GLFW_KEY_ESCAPE, GLFW_RELEASE);
    EXPECT_TRUE(flags.paused);
}

TEST(KeyInput, QuitsOnlyFromAPausedScreen)
{
    AppFlags flags;
    EXPECT_EQ(applyKeyEvent(flags, keys, GLFW_KEY_Q, GLFW_RELEASE), KeyEffect::None);
    flags.paused = true;
    EXPECT_EQ(applyKeyEvent(flags, keys, GLFW_KEY_Q, GLFW_PRESS), KeyEffect::None);
    EXPECT_EQ(applyKeyEvent(flags, keys, GLFW_KEY_Q, GLFW_RELEASE), KeyEffect::CloseWindow);
}

TEST(KeyInput, ROnlyAsksForAnotherRunOnceTheGameIsOver)
{
    AppFlags flags;
    applyKeyEvent(flags, keys, GLFW_KEY_R, GLFW_RELEASE);
    flags.paused = true;
    applyKeyEvent(flags, keys, GLFW_KEY_R, GLFW_RELEASE);
    EXPECT_FALSE(flags.playAgainRequested);
    flags.gameOver = true;
    applyKeyEvent(flags, keys, GLFW_KEY_R, GLFW_PRESS);
    EXPECT_FALSE(flags.playAgainRequested);
    applyKeyEvent(flags, keys, GLFW_KEY_R, GLFW_RELEASE);
    EXPECT_TRUE(flags.playAgainRequested);

    // The new run keeps the display toggles and nothing else.
    flags.showNormals = true;
    flags.moveForwardHeld = true;
    const AppFlags restarted = restartedFlags(flags);
    EXPECT_TRUE(restarted.showNormals);
    EXPECT_FALSE(restarted.gameOver || restarted.paused || restarted.playAgainRequested || restarted.moveForwardHeld);
}

TEST(KeyInput, FunctionKeysToggleTheRenderModes)
{
    AppFlags flags;
    EXPECT_EQ(applyKeyEvent(flags, keys, GLFW_KEY_F1, GLFW_RELEASE), KeyEffect::PolygonModeChanged);
    EXPECT_TRUE(flags.wireframeEnabled);
    EXPECT_EQ(applyKeyEvent(flags, keys, GLFW_KEY_F2, GLFW_RELEASE), KeyEffect::CullingChanged);
    EXPECT_TRUE(flags.cullingEnabled);
    applyKeyEvent(flags, keys, GLFW_KEY_F1, GLFW_RELEASE);
    EXPECT_FALSE(flags.wireframeEnabled);
}

TEST(KeyInput, OtherKeysChangeNothing)
{
    AppFlags flags;
    applyKeyEvent(flags, keys, GLFW_KEY_X, GLFW_PRESS);
    applyKeyEvent(flags, keys, GLFW_KEY_X, GLFW_RELEASE);
    applyKeyEvent(flags, keys, GLFW_KEY_KP_2, GLFW_RELEASE);
    EXPECT_FALSE(flags.dropAllRequested || flags.paused || flags.jumpRequested);
}
