#pragma once

#include "app_state.h"
#include "key_bindings.h"
#include "window_input.h"

struct GLFWwindow;

// The window's key callback: every event waits in the window's input for the game's screens,
// which take them after the poll.
void keyCallback(GLFWwindow* window, int key, int scancode, int action, int mods);
// Files dropped onto the window, kept for the game as the keys are. In a browser GLFW has copied
// them into the page's file system first.
void dropCallback(GLFWwindow* window, int count, const char** paths);

// F11, or Alt+Enter: fullscreen on and off, on every screen.
bool isFullscreenKey(int key, int mods);

// The movement keys act while held: their press and release set the flag of the action bound to
// them. Returns whether the event was one of them.
bool applyMovementKey(AppFlags& flags, const KeyBindings& bindings, const KeyEvent& event);

// The keys that switch what the scene shows (F1 wireframe, F2 culling, N normals, T texture
// coordinates), on their release. Returns whether the event was one of them.
bool applyDisplayKey(AppFlags& flags, const KeyEvent& event);

// Makes the face culling match the flag.
void applyCulling(bool culling);
