// The floor for a frame of the game: the game's window, and per frame nothing but the clear, the
// event poll and the swap. Prints the line `zarnok --benchmark` prints, so the two compare.
//   minimal_frames [frames [width height]]

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "benchmark_report.h"
#include "gl.h"
#include "window_setup.h"

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : 600;
    const int width = argc > 3 ? std::atoi(argv[2]) : 1280;
    const int height = argc > 3 ? std::atoi(argv[3]) : 768;
    if (frames <= 0 || width <= 0 || height <= 0) {
        std::fprintf(stderr, "usage: minimal_frames [frames [width height]]\n");
        return 2;
    }
    if (glfwInit() != GLFW_TRUE)
        return 1;
    setWindowHints(WindowSettings{});
    GLFWwindow* window = glfwCreateWindow(width, height, "ZARNOK 2023", nullptr, nullptr);
    if (window == nullptr) {
        glfwTerminate();
        return 1;
    }
    glfwMakeContextCurrent(window);
    glClearColor(1.0f, 0.8f, 1.0f, 1.0f);

    std::vector<double> frameSeconds;
    frameSeconds.reserve(static_cast<size_t>(frames));
    double lastFrameEnd = glfwGetTime();
    for (int frame = 0; frame < frames; ++frame) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glfwPollEvents();
        glfwSwapBuffers(window);
        const double now = glfwGetTime();
        frameSeconds.push_back(now - lastFrameEnd);
        lastFrameEnd = now;
    }
    glfwTerminate();
    std::puts(benchmarkReport(frameSeconds).c_str());
    return 0;
}
