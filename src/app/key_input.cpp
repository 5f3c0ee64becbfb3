#include "key_input.h"

#include "gl.h"

namespace {

KeyEffect applyKeyPress(AppFlags& flags, int key)
{
    switch (key) {
    case GLFW_KEY_SPACE:
        flags.jumpRequested = true;
        break;
    case GLFW_KEY_W:
        flags.moveForwardHeld = true;
        break;
    case GLFW_KEY_A:
        flags.moveLeftHeld = true;
        break;
    case GLFW_KEY_S:
        flags.moveBackwardHeld = true;
        break;
    case GLFW_KEY_D:
        flags.moveRightHeld = true;
        break;
    default:
        break;
    }
    return KeyEffect::None;
}

KeyEffect applyKeyRelease(AppFlags& flags, int key)
{
    switch (key) {
    case GLFW_KEY_W:
        flags.moveForwardHeld = false;
        break;
    case GLFW_KEY_A:
        flags.moveLeftHeld = false;
        break;
    case GLFW_KEY_S:
        flags.moveBackwardHeld = false;
        break;
    case GLFW_KEY_D:
        flags.moveRightHeld = false;
        break;
    case GLFW_KEY_2:
        flags.dropAllRequested = true;
        break;
    case GLFW_KEY_N:
        flags.showNormals = !flags.showNormals;
        break;
    case GLFW_KEY_M:
        flags.muted = !flags.muted;
        break;
    case GLFW_KEY_T:
        flags.showTexCoords = !flags.showTexCoords;
        break;
    case GLFW_KEY_Q:
        // Quitting is offered only on the pause and game-over screens.
        return flags.paused ? KeyEffect::CloseWindow : KeyEffect::None;
    case GLFW_KEY_R:
        // Another run is offered only once this one is over.
        if (flags.gameOver)
            flags.playAgainRequested = true;
        break;
    case GLFW_KEY_B:
        // So is watching the best run.
        if (flags.gameOver)
            flags.bestRunRequested = true;
        break;
    case GLFW_KEY_ESCAPE:
        if (!flags.gameOver)
            flags.paused = !flags.paused;
        break;
    case GLFW_KEY_F1:
        flags.wireframeEnabled = !flags.wireframeEnabled;
        return KeyEffect::PolygonModeChanged;
    case GLFW_KEY_F2:
        flags.cullingEnabled = !flags.cullingEnabled;
        return KeyEffect::CullingChanged;
    default:
        break;
    }
    return KeyEffect::None;
}

} // namespace

KeyEffect applyKeyEvent(AppFlags& flags, int key, int action)
{
    // A replay plays the recorded keys; the player may only pause it, quit, and mute it.
    const bool replayPlaying = flags.watchingReplay && !flags.gameOver;
    if ((replayPlaying || flags.replayOnly) && key != GLFW_KEY_ESCAPE && key != GLFW_KEY_Q && key != GLFW_KEY_M)
        return KeyEffect::None;
    if (action == GLFW_PRESS)
        return applyKeyPress(flags, key);
    if (action == GLFW_RELEASE)
        return applyKeyRelease(flags, key);
    return KeyEffect::None;
}

void applyPolygonMode(bool wireframe)
{
    glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
}

void applyCulling(bool culling)
{
    if (culling)
        glEnable(GL_CULL_FACE);
    else
        glDisable(GL_CULL_FACE);
}

void keyCallback(GLFWwindow* window, int key, int /*scancode*/, int action, int /*mods*/)
{
    switch (applyKeyEvent(appFlags, key, action)) {
    case KeyEffect::CloseWindow:
        glfwSetWindowShouldClose(window, GLFW_TRUE);
        break;
    case KeyEffect::PolygonModeChanged:
        applyPolygonMode(appFlags.wireframeEnabled);
        break;
    case KeyEffect::CullingChanged:
        applyCulling(appFlags.cullingEnabled);
        break;
    case KeyEffect::None:
        break;
    }
}
