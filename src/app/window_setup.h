#pragma once

#include <string>

#include "app_settings.h"

struct GLFWwindow;

// Ends start-up: GLFW is terminated, "ERROR: <message>" printed, a key awaited, status 1.
[[noreturn]] void startupFailure(const std::string& message);

// The hints the game window is made with: a 4.3 core debug context, the settings' multisampling
// (4x as designed), resizable.
void setWindowHints(const WindowSettings& settings);

// Installs the GLFW error reporter and starts GLFW. Ends the program on failure.
void startGlfw();

// The GL renderer's name on this machine, from a hidden window of the game's context; empty when
// there is none. For choosing a preset before the game's window is made.
std::string probeRenderer(const WindowSettings& settings);

// Opens the game window with a 4.3 core debug context, loads the GL entry points,
// captures the cursor and installs the debug-output reporter. Ends the program on failure. A
// fullscreen window takes the primary monitor in its current mode.
GLFWwindow* openGameWindow(const WindowSettings& settings);

// The time between two refreshes of the display the window is on: 1/60 s where the display does
// not say (as under Xvfb).
double displayFramePeriod(GLFWwindow* window);

// Installs the key, mouse-button, scroll and cursor callbacks.
void installInputCallbacks(GLFWwindow* window);

// The GL state before the first frame: clear colour, depth test, culling and polygon mode.
void applyInitialGlState(const RendererSettings& settings, const AppFlags& flags);
