#pragma once

#include "app_state.h"
#include "key_bindings.h"

struct GLFWwindow;

// What a key event asks of the window or GL beyond the flags it sets.
enum class KeyEffect {
    None,
    CloseWindow,
    PolygonModeChanged,
    CullingChanged,
    ToggleFullscreen,
    OpenOptions,
};

// Applies one GLFW key event to the flags, the game's actions on the keys of `bindings`. Movement
// keys act while held, the jump on the press, every other key on the release; repeats are
// ignored. While a replay plays, and in a game that only shows a replay, only Escape, the quit and
// mute keys and the fullscreen keys act.
KeyEffect applyKeyEvent(AppFlags& flags, const KeyBindings& bindings, int key, int action, int mods = 0);

// The window's key callback. While a menu is open, its keys go to the menu (but for the fullscreen
// keys); otherwise playKey.
void keyCallback(GLFWwindow* window, int key, int scancode, int action, int mods);

// A key event for the game: the flags, then at once the GL or window change the key asks for.
void playKey(GLFWwindow* window, int key, int action, int mods);

// Makes the GL polygon mode and face culling match the flags.
void applyPolygonMode(bool wireframe);
void applyCulling(bool culling);
