// The floor for a headless run: open the game's window, draw one cleared frame, write the same
// kind of screenshot and exit.  Compare with:  zarnok --run_headless
//   minimal_headless [base name]

#include <cstdio>

#include "gl.h"
#include "screenshot.h"

int main(int argc, char** argv)
{
    if (glfwInit() != GLFW_TRUE)
        return 1;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    glfwWindowHint(GLFW_SAMPLES, 4);
    GLFWwindow* window = glfwCreateWindow(1280, 768, "ZARNOK 2023", nullptr, nullptr);
    if (window == nullptr) {
        glfwTerminate();
        return 1;
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        glfwTerminate();
        return 1;
    }
    glClearColor(1.0f, 0.8f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    writeScreenshot(argc > 1 ? argv[1] : "minimal", 1280, 768);
    glfwSwapBuffers(window);
    glfwTerminate();
    std::puts("done");
    return 0;
}
