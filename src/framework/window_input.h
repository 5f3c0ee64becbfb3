#pragma once

#include <vector>

#include "key_bindings.h"
#include "mouse_input.h"

class Camera;

// A key event as GLFW reports it.
struct KeyEvent {
    int key;
    int action; // GLFW_PRESS, GLFW_REPEAT or GLFW_RELEASE
    int mods;
};

// What the window's callbacks reach through its user pointer: the view the mouse turns, the keys
// as the player bound them, and what an open menu is waiting for. The game owns it and reads it
// after each event poll.
struct WindowInput {
    Camera* view = nullptr;
    CursorTracker cursor;
    KeyBindings bindings;
    bool menuOpen = false;          // keys and clicks go to the menu, and the pointer is free
    std::vector<KeyEvent> menuKeys; // every key event while a menu is open
    // Keys a menu took the press of and has not seen released: their releases are the menu's
    // even once it has closed (Escape closes it on the press; the release may come a poll later).
    std::vector<int> menuHeldKeys;
    std::vector<int> clicks;        // mouse buttons pressed while a menu is open
    double pointerX = 0.0;          // where the pointer is, in window coordinates from the top left
    double pointerY = 0.0;
    bool pointerMoved = false;        // since the game last looked
    bool fullscreenRequested = false; // F11, or Alt+Enter
};

// The window's input as its callbacks reach it: nothing before the game has set it.
WindowInput* windowInputOf(GLFWwindow* window);
