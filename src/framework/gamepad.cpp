#include "gamepad.h"

#include <cmath>
#include <fstream>
#include <sstream>

#include "console.h"

namespace {

// Sticks rest near their centre, not on it.
constexpr float kDeadZone = 0.3f;
// Past this the stick counts as a push in that direction, in the menus and as a movement key.
constexpr float kPush = 0.5f;

float outsideDeadZone(float axis)
{
    if (!std::isfinite(axis) || std::abs(axis) < kDeadZone)
        return 0.0f;
    // Rescaled so the edge of the dead zone is 0 and the stick's limit 1.
    return std::copysign((std::min(std::abs(axis), 1.0f) - kDeadZone) / (1.0f - kDeadZone), axis);
}

bool pressed(const GLFWgamepadstate& now, const GLFWgamepadstate& before, int button)
{
    return now.buttons[button] == GLFW_PRESS && before.buttons[button] != GLFW_PRESS;
}

// The stick is pushed past the threshold towards `sign` on `axis` now, and was not before.
bool pushedInto(const GLFWgamepadstate& now, const GLFWgamepadstate& before, int axis, float sign)
{
    return now.axes[axis] * sign > kPush && !(before.axes[axis] * sign > kPush);
}

void onJoystick(int joystick, int event)
{
    if (event == GLFW_CONNECTED && glfwJoystickIsGamepad(joystick) == GLFW_TRUE)
        printLine(std::string("Gamepad connected: ") + glfwGetGamepadName(joystick) + ".");
    else if (event == GLFW_DISCONNECTED)
        printLine("Gamepad disconnected.");
}

} // namespace

PadReading readPad(const GLFWgamepadstate& now, const GLFWgamepadstate& before)
{
    PadReading reading;
    // GLFW's stick axes grow downwards; the game's look grows upwards.
    const float leftX = now.axes[GLFW_GAMEPAD_AXIS_LEFT_X];
    const float leftY = now.axes[GLFW_GAMEPAD_AXIS_LEFT_Y];
    reading.forward = leftY < -kPush;
    reading.backward = leftY > kPush;
    reading.left = leftX < -kPush;
    reading.right = leftX > kPush;
    reading.lookX = outsideDeadZone(now.axes[GLFW_GAMEPAD_AXIS_RIGHT_X]);
    reading.lookY = -outsideDeadZone(now.axes[GLFW_GAMEPAD_AXIS_RIGHT_Y]);
    reading.a = pressed(now, before, GLFW_GAMEPAD_BUTTON_A);
    reading.b = pressed(now, before, GLFW_GAMEPAD_BUTTON_B);
    reading.x = pressed(now, before, GLFW_GAMEPAD_BUTTON_X);
    reading.y = pressed(now, before, GLFW_GAMEPAD_BUTTON_Y);
    reading.start = pressed(now, before, GLFW_GAMEPAD_BUTTON_START);
    reading.back = pressed(now, before, GLFW_GAMEPAD_BUTTON_BACK);
    reading.leftShoulder = pressed(now, before, GLFW_GAMEPAD_BUTTON_LEFT_BUMPER);
    reading.rightShoulder = pressed(now, before, GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER);
    reading.menuUp =
        pressed(now, before, GLFW_GAMEPAD_BUTTON_DPAD_UP) || pushedInto(now, before, GLFW_GAMEPAD_AXIS_LEFT_Y, -1.0f);
    reading.menuDown =
        pressed(now, before, GLFW_GAMEPAD_BUTTON_DPAD_DOWN) || pushedInto(now, before, GLFW_GAMEPAD_AXIS_LEFT_Y, 1.0f);
    reading.menuLeft =
        pressed(now, before, GLFW_GAMEPAD_BUTTON_DPAD_LEFT) || pushedInto(now, before, GLFW_GAMEPAD_AXIS_LEFT_X, -1.0f);
    reading.menuRight =
        pressed(now, before, GLFW_GAMEPAD_BUTTON_DPAD_RIGHT) || pushedInto(now, before, GLFW_GAMEPAD_AXIS_LEFT_X, 1.0f);
    return reading;
}

Gamepads::Gamepads(const std::filesystem::path& mappings)
{
    glfwSetJoystickCallback(onJoystick);
    std::error_code code;
    if (mappings.empty() || !std::filesystem::is_regular_file(mappings, code))
        return;
    // SDL's whole database is half a megabyte.
    if (std::filesystem::file_size(mappings, code) > std::uintmax_t{8} * 1024 * 1024) {
        printLine("Ignoring the gamepad mappings in '" + mappings.string() + "': the file is too large.");
        return;
    }
    std::ifstream in(mappings, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (glfwUpdateGamepadMappings(text.str().c_str()) != GLFW_TRUE)
        printLine("Ignoring the gamepad mappings in '" + mappings.string() + "': GLFW cannot read them.");
}

PadReading Gamepads::poll()
{
    if (playing < 0 || glfwJoystickIsGamepad(playing) != GLFW_TRUE) {
        playing = -1;
        for (int joystick = GLFW_JOYSTICK_1; joystick <= GLFW_JOYSTICK_LAST && playing < 0; ++joystick)
            if (glfwJoystickIsGamepad(joystick) == GLFW_TRUE)
                playing = joystick;
        before = GLFWgamepadstate{};
    }
    GLFWgamepadstate now{};
    if (playing < 0 || glfwGetGamepadState(playing, &now) != GLFW_TRUE)
        return {};
    const PadReading reading = readPad(now, before);
    before = now;
    return reading;
}
