#include <gtest/gtest.h>

#include "gamepad.h"

namespace {

GLFWgamepadstate restingPad()
{
    GLFWgamepadstate state{};
    return state;
}

} // namespace

// No gamepad can be plugged into these machines, so the mapping is driven with GLFW's own state.
TEST(Gamepad, TheLeftStickStepsAsTheMovementKeysAndTheRightStickLooks)
{
    GLFWgamepadstate pad = restingPad();
    pad.axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = -0.8f; // pushed away: forward
    pad.axes[GLFW_GAMEPAD_AXIS_LEFT_X] = 0.2f;  // inside the dead zone
    pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_X] = 1.0f;
    pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_Y] = -0.65f; // pulled up: look up, half way past the dead zone
    const PadReading reading = readPad(pad, restingPad());
    EXPECT_TRUE(reading.forward);
    EXPECT_FALSE(reading.backward || reading.left || reading.right);
    EXPECT_FLOAT_EQ(reading.lookX, 1.0f);
    EXPECT_NEAR(reading.lookY, 0.5f, 1e-6f);

    pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_X] = 0.25f;
    pad.axes[GLFW_GAMEPAD_AXIS_LEFT_X] = -0.9f;
    const PadReading drifting = readPad(pad, pad);
    EXPECT_EQ(drifting.lookX, 0.0f) << "a stick resting a little off centre does not turn the view";
    EXPECT_TRUE(drifting.left);
    EXPECT_FALSE(drifting.menuLeft) << "held from the frame before, it is no new push in a menu";
}

TEST(Gamepad, ButtonsCountOnTheFrameTheyArePressed)
{
    GLFWgamepadstate down = restingPad();
    down.buttons[GLFW_GAMEPAD_BUTTON_A] = GLFW_PRESS;
    down.buttons[GLFW_GAMEPAD_BUTTON_START] = GLFW_PRESS;
    down.buttons[GLFW_GAMEPAD_BUTTON_DPAD_DOWN] = GLFW_PRESS;
    const PadReading pressed = readPad(down, restingPad());
    EXPECT_TRUE(pressed.a && pressed.start && pressed.menuDown);
    EXPECT_FALSE(pressed.b || pressed.x || pressed.y || pressed.back || pressed.menuUp);
    const PadReading held = readPad(down, down);
    EXPECT_FALSE(held.a || held.start || held.menuDown) << "holding a button is one press";

    GLFWgamepadstate pushed = restingPad();
    pushed.axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = -0.9f;
    EXPECT_TRUE(readPad(pushed, restingPad()).menuUp) << "the left stick moves in the menus too";
}
