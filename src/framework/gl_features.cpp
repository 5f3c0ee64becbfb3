#include "gl_features.h"

#include "diagnostics.h"
#include "gl.h"

#ifdef __EMSCRIPTEN__

void hintGlContext()
{
    glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_ES_API);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
}

bool hasWireframe()
{
    return false;
}

void applyPolygonMode(bool)
{
}

void programPointSize(bool)
{
}

bool hasMotionBlur()
{
    return false;
}

void waitForDrawing()
{
    // Reading a pixel back waits for every command before it.
    unsigned char pixel[4];
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
}

bool installDebugOutput()
{
    return false;
}

const char* noDebugOutputNote()
{
    return "No OpenGL debug output: WebGL has none. The browser's console shows its own warnings.";
}

#else

void hintGlContext()
{
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
}

bool hasWireframe()
{
    return true;
}

void applyPolygonMode(bool wireframe)
{
    glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
}

bool hasMotionBlur()
{
    return true;
}

void waitForDrawing()
{
}

void programPointSize(bool on)
{
    if (on)
        glEnable(GL_PROGRAM_POINT_SIZE);
    else
        glDisable(GL_PROGRAM_POINT_SIZE);
}

bool installDebugOutput()
{
    if (glDebugMessageCallback == nullptr)
        return false;
    glDebugMessageCallback(onGlDebugMessage, nullptr);
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    return true;
}

const char* noDebugOutputNote()
{
    return nullptr;
}

#endif
