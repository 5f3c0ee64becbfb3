#include "window_setup.h"

#include "console.h"
#include "diagnostics.h"
#include "gl.h"
#include "gl_features.h"
#include "key_input.h"
#include "mouse_input.h"

void startupFailure(const std::string& message)
{
    glfwTerminate();
    fatalError("ERROR: " + message);
}

void setWindowHints(const WindowSettings& settings)
{
    hintGlContext();
    glfwWindowHint(GLFW_REFRESH_RATE, settings.refreshRate);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_TRUE);
    glfwWindowHint(GLFW_SAMPLES, settings.samples);
}

void startGlfw()
{
    glfwSetErrorCallback(onGlfwError);
    if (glfwInit() != GLFW_TRUE)
        startupFailure("Failed to init GLFW");
    printLine("GLFW was initialized.");
}

std::string probeRenderer(const WindowSettings& settings)
{
    setWindowHints(settings);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* probe = glfwCreateWindow(16, 16, settings.title.c_str(), nullptr, nullptr);
    glfwDefaultWindowHints();
    if (probe == nullptr)
        return "";
    glfwMakeContextCurrent(probe);
    // A GL 1.1 query, which needs no extension loader.
    const GLubyte* name = glGetString(GL_RENDERER);
    std::string renderer = name != nullptr ? reinterpret_cast<const char*>(name) : "";
    glfwMakeContextCurrent(nullptr);
    glfwDestroyWindow(probe);
    return renderer;
}

GLFWwindow* openGameWindow(const WindowSettings& settings)
{
    setWindowHints(settings);
    glfwWindowHint(GLFW_VISIBLE, settings.visible ? GLFW_TRUE : GLFW_FALSE);
    // Fullscreen takes the monitor as it is: its current mode, not one of the window's size.
    GLFWmonitor* monitor = settings.fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    GLFWwindow* window =
        glfwCreateWindow(mode != nullptr ? mode->width : settings.width,
                         mode != nullptr ? mode->height : settings.height, settings.title.c_str(), monitor, nullptr);
    if (window == nullptr)
        startupFailure("Failed to create window");

    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    const GLenum glewResult = glewInit();
    if (glewResult != GLEW_OK)
        startupFailure(std::string("Failed to init GLEW: ") +
                       reinterpret_cast<const char*>(glewGetErrorString(glewResult)));
    printLine("GLEW was initialized.");

    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
    if (!installDebugOutput())
        if (const char* note = noDebugOutputNote())
            printLine(note);
    return window;
}

double displayFramePeriod(GLFWwindow* window)
{
    GLFWmonitor* monitor = glfwGetWindowMonitor(window);
    if (monitor == nullptr)
        monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    const int refreshRate = mode != nullptr && mode->refreshRate > 0 ? mode->refreshRate : 60;
    return 1.0 / refreshRate;
}

void installInputCallbacks(GLFWwindow* window)
{
    glfwSetKeyCallback(window, keyCallback);
    glfwSetDropCallback(window, dropCallback);
    glfwSetMouseButtonCallback(window, onMouseButton);
    glfwSetScrollCallback(window, onScroll);
    glfwSetCursorPosCallback(window, onCursorPos);
}

void applyInitialGlState(const RendererSettings& settings, const AppFlags& flags)
{
    glClearColor(1.0f, 0.8f, 1.0f, 1.0f);
    if (settings.depthTest)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
    if (flags.cullingEnabled)
        glEnable(GL_CULL_FACE);
    if (flags.wireframeEnabled)
        applyPolygonMode(true);
}
