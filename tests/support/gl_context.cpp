#include "gl_context.h"

#include <string>

GLFWwindow* GlTest::window = nullptr;

namespace {
std::string lastGlfwError;

void rememberGlfwError(int code, const char* description)
{
    lastGlfwError = std::to_string(code) + ": " + (description ? description : "");
}
} // namespace

// Made in SetUp rather than SetUpTestSuite: a failure there fails each test instead of skipping it.
void GlTest::SetUp()
{
    if (window == nullptr) {
        glfwSetErrorCallback(rememberGlfwError);
        ASSERT_EQ(glfwInit(), GLFW_TRUE) << "no display: run the GL tests under xvfb-run (" << lastGlfwError << ")";
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        window = glfwCreateWindow(64, 64, "zarnok gl test", nullptr, nullptr);
        ASSERT_NE(window, nullptr) << lastGlfwError;
        glfwMakeContextCurrent(window);
        glewExperimental = GL_TRUE;
        ASSERT_EQ(glewInit(), static_cast<GLenum>(GLEW_OK));
    }
    glfwMakeContextCurrent(window);
    // glewInit leaves an error behind on core profiles; start every test with a clean slate.
    while (glGetError() != GL_NO_ERROR) {
    }
}

void GlTest::TearDownTestSuite()
{
    if (window != nullptr)
        glfwTerminate();
    window = nullptr;
}
OffscreenTarget::OffscreenTarget(int width, int height)
{
    glGenTextures(1, &colour);
    glBindTexture(GL_TEXTURE_2D, colour);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    glViewport(0, 0, width, height);
}

OffscreenTarget::~OffscreenTarget()
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(1, &depth);
    glDeleteTextures(1, &colour);
}

OffscreenTarget::Rgb OffscreenTarget::pixel(int x, int y) const
{
    unsigned char rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}
