#include "key_input.h"

#include "gl.h"
#include "gl_features.h"

void keyCallback(GLFWwindow* window, int key, int /*scancode*/, int action, int mods)
{
    if (WindowInput* input = windowInputOf(window); input != nullptr)
        input->keys.push_back({key, action, mods});
}

void dropCallback(GLFWwindow* window, int count, const char** paths)
{
    if (WindowInput* input = windowInputOf(window); input != nullptr)
        input->dropped.insert(input->dropped.end(), paths, paths + count);
}

bool isFullscreenKey(int key, int mods)
{
    return key == GLFW_KEY_F11 || (key == GLFW_KEY_ENTER && (mods & GLFW_MOD_ALT) != 0);
}

bool applyMovementKey(AppFlags& flags, const KeyBindings& bindings, const KeyEvent& event)
{
    const std::optional<Action> action = bindings.actionOf(event.key);
    if (!action || event.action == GLFW_REPEAT)
        return false;
    const bool held = event.action == GLFW_PRESS;
    switch (*action) {
    case Action::Forward:
        flags.moveForwardHeld = held;
        return true;
    case Action::Backward:
        flags.moveBackwardHeld = held;
        return true;
    case Action::Left:
        flags.moveLeftHeld = held;
        return true;
    case Action::Right:
        flags.moveRightHeld = held;
        return true;
    default:
        return false;
    }
}

bool applyDisplayKey(AppFlags& flags, const KeyEvent& event)
{
    if (event.action != GLFW_RELEASE)
        return false;
    switch (event.key) {
    case GLFW_KEY_F1:
        // Where there is no wireframe the pause screen says so in F1's place.
        if (hasWireframe())
            flags.wireframeEnabled = !flags.wireframeEnabled;
        return true;
    case GLFW_KEY_F2:
        flags.cullingEnabled = !flags.cullingEnabled;
        return true;
    case GLFW_KEY_N:
        flags.showNormals = !flags.showNormals;
        return true;
    case GLFW_KEY_T:
        flags.showTexCoords = !flags.showTexCoords;
        return true;
    default:
        return false;
    }
}

void applyCulling(bool culling)
{
    if (culling)
        glEnable(GL_CULL_FACE);
    else
        glDisable(GL_CULL_FACE);
}
