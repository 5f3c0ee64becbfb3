#include "frame_capture.h"

#include "pixel_readback.h"

namespace {

GLuint renderbuffer(GLenum format, int width, int height, int samples)
{
    GLuint name = 0;
    glGenRenderbuffers(1, &name);
    glBindRenderbuffer(GL_RENDERBUFFER, name);
    if (samples > 1)
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
    else
        glRenderbufferStorage(GL_RENDERBUFFER, format, width, height);
    return name;
}

} // namespace

std::unique_ptr<FrameCapture> FrameCapture::create(int width, int height, int samples)
{
    std::unique_ptr<FrameCapture> capture(new FrameCapture());
    if (!capture->build(width, height, samples))
        return nullptr;
    return capture;
}

bool FrameCapture::build(int width, int height, int samples)
{
    frameWidth = width;
    frameHeight = height;
    const bool multisampled = samples > 1;
    renderbuffers[0] = renderbuffer(GL_RGBA8, width, height, 1);
    glGenFramebuffers(1, &resolvedFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, resolvedFramebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers[0]);
    bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    drawnFramebuffer = resolvedFramebuffer;
    if (multisampled) {
        renderbuffers[1] = renderbuffer(GL_RGBA8, width, height, samples);
        glGenFramebuffers(1, &drawnFramebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, drawnFramebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers[1]);
    }
    renderbuffers[2] = renderbuffer(GL_DEPTH24_STENCIL8, width, height, samples);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, renderbuffers[2]);
    complete = complete && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);

    glGenBuffers(kInFlight, pixelBuffers);
    for (GLuint buffer : pixelBuffers) {
        glBindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
        glBufferData(GL_PIXEL_PACK_BUFFER, static_cast<GLsizeiptr>(frameBytes()), nullptr, GL_STREAM_READ);
    }
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    return complete;
}

FrameCapture::~FrameCapture()
{
    glDeleteBuffers(kInFlight, pixelBuffers);
    if (drawnFramebuffer != resolvedFramebuffer)
        glDeleteFramebuffers(1, &drawnFramebuffer);
    glDeleteFramebuffers(1, &resolvedFramebuffer);
    glDeleteRenderbuffers(3, renderbuffers);
}

void FrameCapture::bind() const
{
    glBindFramebuffer(GL_FRAMEBUFFER, drawnFramebuffer);
    glViewport(0, 0, frameWidth, frameHeight);
}

void FrameCapture::readBack()
{
    if (drawnFramebuffer != resolvedFramebuffer) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, drawnFramebuffer);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolvedFramebuffer);
        glBlitFramebuffer(0, 0, frameWidth, frameHeight, 0, 0, frameWidth, frameHeight, GL_COLOR_BUFFER_BIT,
                          GL_NEAREST);
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, resolvedFramebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, pixelBuffers[nextBuffer]);
    glReadPixels(0, 0, frameWidth, frameHeight, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    nextBuffer = (nextBuffer + 1) % kInFlight;
    ++inFlight;
}

bool FrameCapture::take(std::vector<std::uint8_t>& pixels, bool last)
{
    if (inFlight == 0 || (!last && inFlight < kInFlight))
        return false;
    const int oldest = (nextBuffer - inFlight + kInFlight) % kInFlight;
    glBindBuffer(GL_PIXEL_PACK_BUFFER, pixelBuffers[oldest]);
    const bool read = readPixelPackBuffer(frameBytes(), pixels);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    --inFlight;
    return read;
}
