#pragma once

struct GLFWwindow;
class Camera;

// Turns cursor movement into mouse look. The first position it sees gives no movement, and every
// position is remembered even while mouse look is off (or there is no camera), so switching it on
// causes no jump. After forget(), the next position is a first one again: the pointer was free
// and may have moved anywhere.
class CursorTracker {
public:
    void moveTo(Camera* camera, float x, float y);
    void forget() { seen = false; }

    bool invertY = false; // moving the mouse up looks down

private:
    bool seen = false;
    float lastX = 0.0f;
    float lastY = 0.0f;
};

// GLFW callbacks; they reach the game through the window's WindowInput. Mouse buttons count only
// while a menu is open; the wheel sets the running speed; the cursor looks, or points in a menu.
void onMouseButton(GLFWwindow* window, int button, int action, int mods);
void onScroll(GLFWwindow* window, double xOffset, double yOffset);
void onCursorPos(GLFWwindow* window, double x, double y);
