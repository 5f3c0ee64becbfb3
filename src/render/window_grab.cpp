#include "window_grab.h"

#include "pixel_readback.h"

namespace {

size_t rgbBytes(int width, int height)
{
    return static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
}

} // namespace

WindowGrab::WindowGrab()
{
    glGenBuffers(1, &pixelBuffer);
}

WindowGrab::~WindowGrab()
{
    drop();
    glDeleteBuffers(1, &pixelBuffer);
}

void WindowGrab::start(int width, int height)
{
    drop();
    if (width <= 0 || height <= 0)
        return;
    grabWidth = width;
    grabHeight = height;
    glBindBuffer(GL_PIXEL_PACK_BUFFER, pixelBuffer);
    glBufferData(GL_PIXEL_PACK_BUFFER, static_cast<GLsizeiptr>(rgbBytes(width, height)), nullptr, GL_STREAM_READ);
    GLint alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    fence = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
}

bool WindowGrab::take(std::vector<std::uint8_t>& pixels, int& width, int& height, bool wait)
{
    if (fence == nullptr)
        return false;
    const GLenum state = glClientWaitSync(fence, GL_SYNC_FLUSH_COMMANDS_BIT, wait ? GLuint64{5'000'000'000} : 0);
    if (state == GL_TIMEOUT_EXPIRED)
        return false;
    glDeleteSync(fence);
    fence = nullptr;
    if (state == GL_WAIT_FAILED)
        return false;
    const size_t bytes = rgbBytes(grabWidth, grabHeight);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, pixelBuffer);
    const bool read = readPixelPackBuffer(bytes, pixels);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    width = grabWidth;
    height = grabHeight;
    return read;
}

void WindowGrab::drop()
{
    if (fence != nullptr)
        glDeleteSync(fence);
    fence = nullptr;
}
