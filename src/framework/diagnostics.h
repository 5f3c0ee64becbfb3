#pragma once

#include <string>

#include "gl.h"

// GLFW's error reporter: one console line per error.
void onGlfwError(int errorCode, const char* description);

// The text printed for an OpenGL debug message, naming its source, type and severity.
std::string formatDebugMessage(GLenum source, GLenum type, GLuint id, GLenum severity, const char* message);

// Whether a debug message is printed at all: two driver chatter ids never are.
bool isReportedDebugMessage(GLuint id);

// The OpenGL debug-output callback, delivered synchronously inside the offending GL call.
void GLAPIENTRY onGlDebugMessage(GLenum source, GLenum type, GLuint id, GLenum severity, GLsizei length,
                                 const GLchar* message, const void* userParam);
