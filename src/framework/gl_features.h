#pragma once

// What one platform's OpenGL has and another's lacks: desktop OpenGL 4.3 core on Linux and
// Windows, OpenGL ES 3.0 over WebGL 2 in a browser.

// The context the window is created with, as GLFW window hints.
void hintGlContext();

// Lines instead of filled triangles (F1). WebGL has no polygon mode.
bool hasWireframe();
void applyPolygonMode(bool wireframe);

// High's motion blur. Its pass over the moving tiles draws nothing in WebGL yet (SwiftShader,
// Chromium 156), so in a browser High draws sharp, as Medium does, at the full size.
bool hasMotionBlur();

// Points sized by their vertex shader, as desktop GL draws them only when asked; OpenGL ES always
// does.
void programPointSize(bool on);

// Returns once GL has drawn what it was given, for a benchmark's frame times. A desktop driver's
// swap has done so already; a browser draws after the frame function, in another process.
void waitForDrawing();

// The driver's debug messages, reported synchronously by onGlDebugMessage; false where there is
// no debug output. WebGL has none. A desktop driver without it goes without silently; the
// browser's says so, once, as the window opens.
bool installDebugOutput();
const char* noDebugOutputNote(); // null where nothing is said

// What the player is told where a missing feature would have been, such as F1 on the pause
// screen.
constexpr const char* kNoWireframe = "Wireframe (F1) needs desktop OpenGL: WebGL has no polygon mode.";
