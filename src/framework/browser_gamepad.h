#pragma once

// GLFW 3.3's gamepad calls, which Emscripten's GLFW (3.2) has not got, over the joysticks it does
// report: the browser's, in the W3C standard layout that browsers give every pad they know.
// Included by gl.h in the browser build only.

#define GLFW_GAMEPAD_BUTTON_A 0
#define GLFW_GAMEPAD_BUTTON_B 1
#define GLFW_GAMEPAD_BUTTON_X 2
#define GLFW_GAMEPAD_BUTTON_Y 3
#define GLFW_GAMEPAD_BUTTON_LEFT_BUMPER 4
#define GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER 5
#define GLFW_GAMEPAD_BUTTON_BACK 6
#define GLFW_GAMEPAD_BUTTON_START 7
#define GLFW_GAMEPAD_BUTTON_DPAD_UP 11
#define GLFW_GAMEPAD_BUTTON_DPAD_RIGHT 12
#define GLFW_GAMEPAD_BUTTON_DPAD_DOWN 13
#define GLFW_GAMEPAD_BUTTON_DPAD_LEFT 14
#define GLFW_GAMEPAD_AXIS_LEFT_X 0
#define GLFW_GAMEPAD_AXIS_LEFT_Y 1
#define GLFW_GAMEPAD_AXIS_RIGHT_X 2
#define GLFW_GAMEPAD_AXIS_RIGHT_Y 3

struct GLFWgamepadstate {
    unsigned char buttons[15];
    float axes[6];
};

// GLFW's gamepad buttons, in its order, as the standard layout numbers them.
constexpr int kStandardButtons[15] = {0, 1, 2, 3, 4, 5, 8, 9, 16, 10, 11, 12, 15, 13, 14};

inline int glfwJoystickIsGamepad(int joystick)
{
    return glfwJoystickPresent(joystick);
}

inline const char* glfwGetGamepadName(int joystick)
{
    return glfwGetJoystickName(joystick);
}

// The browser keeps its own mappings.
inline int glfwUpdateGamepadMappings(const char*)
{
    return GLFW_TRUE;
}

inline int glfwGetGamepadState(int joystick, GLFWgamepadstate* state)
{
    int axisCount = 0;
    int buttonCount = 0;
    const float* axes = glfwGetJoystickAxes(joystick, &axisCount);
    const unsigned char* buttons = glfwGetJoystickButtons(joystick, &buttonCount);
    if (axes == nullptr || buttons == nullptr)
        return GLFW_FALSE;
    *state = GLFWgamepadstate{};
    for (int i = 0; i < 4 && i < axisCount; ++i)
        state->axes[i] = axes[i];
    for (int i = 0; i < 15; ++i)
        if (kStandardButtons[i] < buttonCount)
            state->buttons[i] = buttons[kStandardButtons[i]];
    return GLFW_TRUE;
}
