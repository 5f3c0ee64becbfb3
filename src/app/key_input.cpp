#include "key_input.h"

#include <algorithm>

#include "gl.h"
#include "window_input.h"

namespace {

bool isFullscreenKey(int key, int mods)
{
    return key == GLFW_KEY_F11 || (key == GLFW_KEY_ENTER && (mods & GLFW_MOD_ALT) != 0);
}

void setHeld(AppFlags& flags, Action action, bool held)
{
    switch (action) {
    case Action::Forward:
        flags.moveForwardHeld = held;
        break;
    case Action::Backward:
        flags.moveBackwardHeld = held;
        break;
    case Action::Left:
        flags.moveLeftHeld = held;
        break;
    case Action::Right:
        flags.moveRightHeld = held;
        break;
    default:
        break;
    }
}

KeyEffect applyActionRelease(AppFlags& flags, Action action)
{
    switch (action) {
    case Action::DropAll:
        flags.dropAllRequested = true;
        break;
    case Action::Quit:
        // Quitting is offered only on the pause and game-over screens.
        return flags.paused ? KeyEffect::CloseWindow : KeyEffect::None;
    case Action::PlayAgain:
        // Another run is offered only once this one is over; so is watching the best run.
        flags.playAgainRequested = flags.playAgainRequested || flags.gameOver;
        break;
    case Action::BestRun:
        flags.bestRunRequested = flags.bestRunRequested || flags.gameOver;
        break;
    case Action::Mute:
        flags.muted = !flags.muted;
        break;
    default:
        setHeld(flags, action, false);
        break;
    }
    return KeyEffect::None;
}

// The keys whose meaning no binding changes.
KeyEffect applyFixedRelease(AppFlags& flags, int key)
{
    switch (key) {
    case GLFW_KEY_N:
        flags.showNormals = !flags.showNormals;
        break;
    case GLFW_KEY_T:
        flags.showTexCoords = !flags.showTexCoords;
        break;
    case GLFW_KEY_O:
        // The options open from the pause screen.
        if (!flags.paused || flags.gameOver)
            break;
        flags.optionsRequested = true;
        return KeyEffect::OpenOptions;
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

KeyEffect applyKeyEvent(AppFlags& flags, const KeyBindings& bindings, int key, int action, int mods)
{
    if (action == GLFW_REPEAT)
        return KeyEffect::None;
    const std::optional<Action> bound = bindings.actionOf(key);
    // A replay plays the recorded keys; the player may only pause it, quit, mute and switch
    // fullscreen.
    const bool replayPlaying = flags.watchingReplay && !flags.gameOver;
    const bool allowedInReplay = key == GLFW_KEY_ESCAPE || isFullscreenKey(key, mods) ||
                                 (bound && (*bound == Action::Quit || *bound == Action::Mute));
    if ((replayPlaying || flags.replayOnly) && !allowedInReplay)
        return KeyEffect::None;
    if (action == GLFW_PRESS) {
        if (bound == Action::Jump)
            flags.jumpRequested = true;
        else if (bound)
            setHeld(flags, *bound, true);
        return KeyEffect::None;
    }
    if (isFullscreenKey(key, mods))
        return KeyEffect::ToggleFullscreen;
    return bound ? applyActionRelease(flags, *bound) : applyFixedRelease(flags, key);
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

void keyCallback(GLFWwindow* window, int key, int /*scancode*/, int action, int mods)
{
    WindowInput* input = windowInputOf(window);
    if (input != nullptr && input->menuOpen && !isFullscreenKey(key, mods)) {
        input->menuKeys.push_back({key, action, mods});
        return;
    }
    if (input != nullptr && action == GLFW_RELEASE) {
        const auto held = std::find(input->menuHeldKeys.begin(), input->menuHeldKeys.end(), key);
        if (held != input->menuHeldKeys.end()) {
            input->menuHeldKeys.erase(held);
            return;
        }
    }
    playKey(window, key, action, mods);
}

void playKey(GLFWwindow* window, int key, int action, int mods)
{
    WindowInput* input = windowInputOf(window);
    static const KeyBindings defaults;
    switch (applyKeyEvent(appFlags, input != nullptr ? input->bindings : defaults, key, action, mods)) {
    case KeyEffect::CloseWindow:
        glfwSetWindowShouldClose(window, GLFW_TRUE);
        break;
    case KeyEffect::PolygonModeChanged:
        applyPolygonMode(appFlags.wireframeEnabled);
        break;
    case KeyEffect::CullingChanged:
        applyCulling(appFlags.cullingEnabled);
        break;
    case KeyEffect::ToggleFullscreen:
        if (input != nullptr)
            input->fullscreenRequested = true;
        break;
    case KeyEffect::OpenOptions:
        // The keys that follow in this poll are the menu's already.
        if (input != nullptr)
            input->menuOpen = true;
        break;
    case KeyEffect::None:
        break;
    }
}
