#include "diagnostics.h"

#include "console.h"

namespace {

// The AMD debug-output extension reports categories in place of sources and types.
constexpr GLenum kAmdApiError = 0x9149;
constexpr GLenum kAmdWindowSystem = 0x914A;
constexpr GLenum kAmdDeprecation = 0x914B;
constexpr GLenum kAmdUndefinedBehavior = 0x914C;
constexpr GLenum kAmdPerformance = 0x914D;
constexpr GLenum kAmdShaderCompiler = 0x914E;
constexpr GLenum kAmdApplication = 0x914F;
constexpr GLenum kAmdOther = 0x9150;

// Buffer-usage and shader-recompilation notes some drivers send for every draw.
constexpr GLuint kIgnoredIds[] = {131185, 131218};

const char* sourceName(GLenum source)
{
    switch (source) {
    case GL_DEBUG_SOURCE_API:
    case kAmdApiError:
        return "API";
    case GL_DEBUG_SOURCE_WINDOW_SYSTEM:
    case kAmdWindowSystem:
        return "Window System";
    case GL_DEBUG_SOURCE_SHADER_COMPILER:
    case kAmdShaderCompiler:
        return "Shader Compiler";
    case GL_DEBUG_SOURCE_THIRD_PARTY:
        return "Third Party";
    case GL_DEBUG_SOURCE_APPLICATION:
    case kAmdApplication:
        return "Application";
    case GL_DEBUG_SOURCE_OTHER:
    case kAmdOther:
        return "Other";
    default:
        return "Unknown";
    }
}

const char* typeName(GLenum type)
{
    switch (type) {
    case GL_DEBUG_TYPE_ERROR:
        return "Error";
    case GL_DEBUG_TYPE_DEPRECATED_BEHAVIOR:
    case kAmdDeprecation:
        return "Deprecated Behavior";
    case GL_DEBUG_TYPE_UNDEFINED_BEHAVIOR:
    case kAmdUndefinedBehavior:
        return "Undefined Behavior";
    case GL_DEBUG_TYPE_PORTABILITY:
        return "Portability";
    case GL_DEBUG_TYPE_PERFORMANCE:
    case kAmdPerformance:
        return "Performance";
    case GL_DEBUG_TYPE_OTHER:
    case kAmdOther:
        return "Other";
    default:
        return "Unknown";
    }
}

const char* severityName(GLenum severity)
{
    switch (severity) {
    case GL_DEBUG_SEVERITY_HIGH:
        return "High";
    case GL_DEBUG_SEVERITY_MEDIUM:
        return "Medium";
    case GL_DEBUG_SEVERITY_LOW:
        return "Low";
    default:
        return "Unknown";
    }
}

} // namespace

void onGlfwError(int errorCode, const char* description)
{
    printLine("GLFW error " + std::to_string(errorCode) + ": " + (description ? description : ""));
}

std::string formatDebugMessage(GLenum source, GLenum type, GLuint id, GLenum severity, const char* message)
{
    return std::string("OpenGL Error: ") + (message ? message : "") + " [Source = " + sourceName(source) +
           ", Type = " + typeName(type) + ", Severity = " + severityName(severity) + ", ID = " + std::to_string(id) +
           "]";
}

bool isReportedDebugMessage(GLuint id)
{
    for (GLuint ignored : kIgnoredIds)
        if (id == ignored)
            return false;
    return true;
}

void GLAPIENTRY onGlDebugMessage(GLenum source, GLenum type, GLuint id, GLenum severity, GLsizei /*length*/,
                                 const GLchar* message, const void* /*userParam*/)
{
    if (isReportedDebugMessage(id))
        printLine(formatDebugMessage(source, type, id, severity, message));
}
