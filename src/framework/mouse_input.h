#pragma once

struct GLFWwindow;
class Camera;

// Turns cursor movement into mouse look. The first position it sees gives no movement, and every
// position is remembered even while mouse look is off (or there is no camera), so switching it on
// causes no jump.
class CursorTracker {
public:
    void moveTo(Camera* camera, float x, float y);

private:
    bool seen = false;
    float lastX = 0.0f;
    float lastY = 0.0f;
};

// GLFW callbacks; the camera is the window's user pointer. Mouse buttons do nothing in the game.
void onMouseButton(GLFWwindow* window, int button, int action, int mods);
void onScroll(GLFWwindow* window, double xOffset, double yOffset);
void onCursorPos(GLFWwindow* window, double x, double y);
