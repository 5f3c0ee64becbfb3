#pragma once

#include <cstdint>
#include <vector>

#include "gl.h"

// A picture of the window's frame as drawn, read back without waiting for GL: start() puts the
// back buffer's pixels on their way into a pixel buffer, and take() hands them over once GL has
// finished with them, a frame or two later.
class WindowGrab {
public:
    WindowGrab();
    ~WindowGrab();
    WindowGrab(const WindowGrab&) = delete;
    WindowGrab& operator=(const WindowGrab&) = delete;

    // Reads the back buffer of the window's framebuffer, which must be finished but not yet
    // swapped. A grab already on its way is dropped.
    void start(int width, int height);
    bool pending() const { return fence != nullptr; }
    // The pixels (RGB, rows from the bottom up) once they are back, or at once with `wait`; false
    // while they are still on their way, or when none were asked for.
    bool take(std::vector<std::uint8_t>& pixels, int& width, int& height, bool wait);

private:
    void drop();

    GLuint pixelBuffer = 0;
    GLsync fence = nullptr;
    int grabWidth = 0;
    int grabHeight = 0;
};
