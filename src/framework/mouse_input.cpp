#include "mouse_input.h"

#include "camera.h"
#include "gl.h"
#include "window_input.h"

WindowInput* windowInputOf(GLFWwindow* window)
{
    return static_cast<WindowInput*>(glfwGetWindowUserPointer(window));
}

void CursorTracker::moveTo(Camera* camera, float x, float y)
{
    if (!seen) {
        lastX = x;
        lastY = y;
        seen = true;
    }
    // Screen y grows downwards; moving the mouse up looks up, unless the player inverted it.
    const float dx = x - lastX;
    const float dy = invertY ? y - lastY : lastY - y;
    lastX = x;
    lastY = y;
    if (camera != nullptr)
        camera->look(dx, dy);
}

void onMouseButton(GLFWwindow* window, int button, int action, int /*mods*/)
{
    WindowInput* input = windowInputOf(window);
    if (input != nullptr && input->pointerFree && action == GLFW_PRESS)
        input->clicks.push_back(button);
}

void onScroll(GLFWwindow* window, double /*xOffset*/, double yOffset)
{
    if (WindowInput* input = windowInputOf(window); input != nullptr && input->view != nullptr)
        input->view->scroll(static_cast<float>(yOffset));
}

void onCursorPos(GLFWwindow* window, double x, double y)
{
    WindowInput* input = windowInputOf(window);
    if (input == nullptr)
        return;
    input->pointerX = x;
    input->pointerY = y;
    input->pointerMoved = true;
    input->cursor.moveTo(input->view, static_cast<float>(x), static_cast<float>(y));
}
