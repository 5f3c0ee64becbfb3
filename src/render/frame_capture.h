#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gl.h"

// The frames of a video: drawn off-screen at the video's size, multisampled as the window would
// be, and read back without waiting for the drawing. Each frame's pixels go into a pixel buffer
// of GL's own and are taken from it two frames later, by when GL has long finished them.
class FrameCapture {
public:
    // Null when GL cannot build a complete framebuffer of that size.
    static std::unique_ptr<FrameCapture> create(int width, int height, int samples);
    ~FrameCapture();
    FrameCapture(const FrameCapture&) = delete;
    FrameCapture& operator=(const FrameCapture&) = delete;

    // The frame is drawn into from here on, over the whole of it.
    void bind() const;
    // The frame just drawn goes on its way back.
    void readBack();
    // The oldest frame on its way into `pixels` (RGBA, rows from the bottom up), once it is two
    // frames old, or at once with `last`; false when there is none.
    bool take(std::vector<std::uint8_t>& pixels, bool last);

    int width() const { return frameWidth; }
    int height() const { return frameHeight; }
    size_t frameBytes() const { return static_cast<size_t>(frameWidth) * static_cast<size_t>(frameHeight) * 4; }

private:
    static constexpr int kInFlight = 3;

    FrameCapture() = default;
    bool build(int width, int height, int samples);

    int frameWidth = 0;
    int frameHeight = 0;
    GLuint drawnFramebuffer = 0; // multisampled, or the resolved one itself
    GLuint resolvedFramebuffer = 0;
    GLuint renderbuffers[3] = {};
    GLuint pixelBuffers[kInFlight] = {};
    int nextBuffer = 0;
    int inFlight = 0;
};
