#include "game_window.h"

#include "gl.h"

GameWindow::GameWindow(GLFWwindow* gameWindow) : window(gameWindow)
{
    followFramebuffer();
}

bool GameWindow::followFramebuffer()
{
    const bool focusedNow = glfwGetWindowAttrib(window, GLFW_FOCUSED) == GLFW_TRUE;
    focusLost = focused && !focusedNow;
    focused = focusedNow;
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(window, &width, &height);
    hidden = width <= 0 || height <= 0 || glfwGetWindowAttrib(window, GLFW_ICONIFIED) == GLFW_TRUE;
    if (hidden || (width == framebufferWidth && height == framebufferHeight))
        return false;
    framebufferWidth = width;
    framebufferHeight = height;
    return true;
}

bool GameWindow::fullscreen() const
{
    return glfwGetWindowMonitor(window) != nullptr;
}

void GameWindow::setFullscreen(bool on, int defaultWidth, int defaultHeight)
{
    if (on == fullscreen())
        return;
    if (on) {
        glfwGetWindowPos(window, &windowedX, &windowedY);
        glfwGetWindowSize(window, &windowedWidth, &windowedHeight);
        placed = true;
        GLFWmonitor* monitor = glfwGetPrimaryMonitor();
        const GLFWvidmode* mode = glfwGetVideoMode(monitor);
        glfwSetWindowMonitor(window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
        return;
    }
    if (!placed) {
        const GLFWvidmode* mode = glfwGetVideoMode(glfwGetPrimaryMonitor());
        windowedWidth = defaultWidth;
        windowedHeight = defaultHeight;
        windowedX = (mode->width - defaultWidth) / 2;
        windowedY = (mode->height - defaultHeight) / 2;
    }
    glfwSetWindowMonitor(window, nullptr, windowedX, windowedY, windowedWidth, windowedHeight, 0);
}
