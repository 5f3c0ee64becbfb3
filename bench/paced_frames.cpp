// The frame pacer on the real clock: the game's window (160 x 100 by default, small enough to
// draw hundreds of frames a second here) cleared, polled and swapped N times, each frame held to
// the display's refresh period as the game holds it. Prints the line `zarnok --benchmark` prints;
// its frames per second should be the display's refresh rate (60 under Xvfb).
//   paced_frames [frames [width height]]

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "benchmark_report.h"
#include "frame_pacer.h"
#include "gl.h"
#include "system_clock.h"
#include "window_setup.h"

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : 600;
    const int width = argc > 3 ? std::atoi(argv[2]) : 160;
    const int height = argc > 3 ? std::atoi(argv[3]) : 100;
    if (frames <= 0 || width <= 0 || height <= 0) {
        std::fprintf(stderr, "usage: paced_frames [frames [width height]]\n");
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
    glfwSwapInterval(1);
    glClearColor(1.0f, 0.8f, 1.0f, 1.0f);
    SystemClock clock;
    FramePacer pacer(clock, displayFramePeriod(window));

    std::vector<double> frameSeconds;
    frameSeconds.reserve(static_cast<size_t>(frames));
    double lastFrame = glfwGetTime();
    for (int frame = 0; frame < frames; ++frame) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glfwPollEvents();
        pacer.waitUntilDue();
        const double now = glfwGetTime();
        frameSeconds.push_back(now - lastFrame);
        lastFrame = now;
        glfwSwapBuffers(window);
    }
    glfwTerminate();
    std::puts(benchmarkReport(frameSeconds).c_str());
    return 0;
}
