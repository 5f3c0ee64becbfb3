#pragma once

#include <string>
#include <vector>

#include "mouse_input.h"

class Camera;

// A key event as GLFW reports it.
struct KeyEvent {
    int key;
    int action; // GLFW_PRESS, GLFW_REPEAT or GLFW_RELEASE
    int mods;
};

// What the window's callbacks reach through its user pointer: the view the mouse turns, and what
// the poll gathered for the game's screens. The game owns it and reads it after each event poll.
struct WindowInput {
    Camera* view = nullptr;
    CursorTracker cursor;
    std::vector<KeyEvent> keys; // every key event since the game last took them, in order
    bool pointerFree = false;   // a menu is shown: the pointer clicks rather than looks
    std::vector<int> clicks;    // mouse buttons pressed while the pointer is free
    double pointerX = 0.0;      // where the pointer is, in window coordinates from the top left
    double pointerY = 0.0;
    bool pointerMoved = false;        // since a menu last looked
    std::vector<std::string> dropped; // files dropped onto the window since the game last took them
};

// The window's input as its callbacks reach it: nothing before the game has set it.
WindowInput* windowInputOf(GLFWwindow* window);
