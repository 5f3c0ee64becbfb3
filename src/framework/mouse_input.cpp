#include "mouse_input.h"

#include "camera.h"
#include "gl.h"

namespace {

CursorTracker cursorTracker;

Camera* cameraOf(GLFWwindow* window)
{
    return static_cast<Camera*>(glfwGetWindowUserPointer(window));
}

} // namespace

void CursorTracker::moveTo(Camera* camera, float x, float y)
{
    if (!seen) {
        lastX = x;
        lastY = y;
        seen = true;
    }
    // Screen y grows downwards; moving the mouse up looks up.
    const float dx = x - lastX;
    const float dy = lastY - y;
    lastX = x;
    lastY = y;
    if (camera != nullptr)
        camera->look(dx, dy);
}

void onMouseButton(GLFWwindow* /*window*/, int /*button*/, int /*action*/, int /*mods*/)
{
}

void onScroll(GLFWwindow* window, double /*xOffset*/, double yOffset)
{
    if (Camera* camera = cameraOf(window))
        camera->scroll(static_cast<float>(yOffset));
}

void onCursorPos(GLFWwindow* window, double x, double y)
{
    cursorTracker.moveTo(cameraOf(window), static_cast<float>(x), static_cast<float>(y));
}
