#pragma once

#include "app_state.h"

struct GLFWwindow;

// What a key event asks of the window or GL beyond the flags it sets.
enum class KeyEffect {
    None,
    CloseWindow,
    PolygonModeChanged,
    CullingChanged,
};

// Applies one GLFW key event to the flags. Movement keys act while held, Space on the press,
// every other key on the release; repeats are ignored. While a replay plays, and in a game that
// only shows a replay, only Escape, Q and M act.
KeyEffect applyKeyEvent(AppFlags& flags, int key, int action);

// The window's key callback: the flags, then at once the GL or window change the key asks for.
void keyCallback(GLFWwindow* window, int key, int scancode, int action, int mods);

// Makes the GL polygon mode and face culling match the flags.
void applyPolygonMode(bool wireframe);
void applyCulling(bool culling);
