#pragma once

#include <string>

#include "app_settings.h"

struct GLFWwindow;

// Ends start-up: GLFW is terminated, "ERROR: <message>" printed, a key awaited, status 1.
[[noreturn]] void startupFailure(const std::string& message);

// The hints the game window is made with: a 4.3 core debug context, 4x multisampling, resizable.
void setWindowHints(const WindowSettings& settings);

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
