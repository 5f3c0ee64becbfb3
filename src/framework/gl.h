#pragma once

// GLEW must come before any other OpenGL header, GLFW's included.
#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#ifdef __EMSCRIPTEN__
#include "browser_gamepad.h"
#endif
