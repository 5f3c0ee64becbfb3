#pragma once

#include <gtest/gtest.h>

#include "gl.h"

// A real OpenGL 4.3 core context in a hidden window, shared by every test of a suite.
class GlTest : public ::testing::Test {
protected:
    static void TearDownTestSuite();
    void SetUp() override;

    static GLFWwindow* window;
};

// An offscreen RGBA8 colour target of a given size, bound for drawing and reading while alive.
class OffscreenTarget {
public:
    OffscreenTarget(int width, int height);
    ~OffscreenTarget();
    OffscreenTarget(const OffscreenTarget&) = delete;
    OffscreenTarget& operator=(const OffscreenTarget&) = delete;

    // RGB of the pixel at (x, y), origin bottom-left.
    struct Rgb {
        int r, g, b;
    };
    Rgb pixel(int x, int y) const;

private:
    GLuint framebuffer = 0;
    GLuint colour = 0;
    GLuint depth = 0;
};
