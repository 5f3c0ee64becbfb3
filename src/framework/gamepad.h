#pragma once

#include <filesystem>

#include "gl.h"

// What a gamepad asks for in one frame. Sticks count past a dead zone; buttons count on the
// frame they are pressed.
struct PadReading {
    // The left stick, as W, A, S and D: held while it is pushed that way.
    bool forward = false;
    bool backward = false;
    bool left = false;
    bool right = false;
    // The right stick, each axis from -1 to 1 (up is positive): how fast to look that way.
    float lookX = 0.0f;
    float lookY = 0.0f;
    bool a = false;     // jumps; chooses in the menus; plays again once the run is over
    bool b = false;     // goes back in the menus
    bool x = false;     // watches the best run once the run is over; a replay: play from here
    bool y = false;     // opens the options from the pause screen; a replay: switches the view
    bool start = false; // pauses and resumes
    bool back = false;  // quits from the pause and game-over screens
    bool leftShoulder = false;  // a replay: slower
    bool rightShoulder = false; // and faster
    // In the menus: the D-pad, or the left stick as it crosses into a direction.
    bool menuUp = false;
    bool menuDown = false;
    bool menuLeft = false;
    bool menuRight = false;
};

// The reading of a gamepad whose state is `now` and was `before` a frame ago.
PadReading readPad(const GLFWgamepadstate& now, const GLFWgamepadstate& before);

// The gamepads GLFW knows, by its mapping database: the first one connected plays. A pad plugged
// in or out is said in one line.
class Gamepads {
public:
    // Listens for pads coming and going; adds the mappings in `mappings` (SDL's
    // gamecontrollerdb.txt format) to GLFW's when the file exists, and says so if they are bad.
    explicit Gamepads(const std::filesystem::path& mappings);

    // What the playing pad asks for since the last call; nothing without one.
    PadReading poll();

private:
    int playing = -1; // the joystick read last
    GLFWgamepadstate before{};
};
