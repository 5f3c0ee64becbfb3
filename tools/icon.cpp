#include "icon.h"

#include <algorithm>
#include <cmath>

#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace {

struct Colour {
    float r, g, b;
};

// The walls texture's colours.
constexpr Colour kCream{0.96f, 0.87f, 0.70f};
constexpr Colour kTeal{0.12f, 0.55f, 0.55f};
constexpr Colour kNavy{0.10f, 0.17f, 0.42f};
constexpr Colour kRed{0.85f, 0.30f, 0.20f};

// Samples per pixel side: edges come out smooth.
constexpr int kSamples = 4;

// The colour at a point of the icon, in units where the icon spans [-1, 1] (y down), or nothing.
bool shade(float x, float y, Colour& colour)
{
    // The cube's corner faces the viewer: a hexagon of three rhombi around the centre.
    constexpr float kHalfWidth = 0.82f;
    constexpr float kRise = 0.47f; // how far a top edge climbs across half the width
    const float ax = std::abs(x);
    if (ax > kHalfWidth)
        return false;
    const float slope = kRise / kHalfWidth;
    const float topEdge = -2.0f * kRise + slope * ax;   // the hexagon's upper outline
    const float bottomEdge = 2.0f * kRise - slope * ax; // and its lower one
    const float middle = -slope * ax;                   // where the top face meets the sides
    if (y < topEdge || y > bottomEdge)
        return false;
    const float outline = 0.05f;
    const bool onOutline = y - topEdge < outline || bottomEdge - y < outline || kHalfWidth - ax < outline ||
                           std::abs(y - middle) < outline * 0.6f || (ax < outline * 0.6f && y > 0.0f);
    if (onOutline) {
        colour = {0.05f, 0.07f, 0.16f};
        return true;
    }
    if (y < middle) {
        // The top face, a rhombus, with the star in its centre, seen flattened as the face is:
        // in the face's own coordinates the corners are at (+-1, 0) and (0, +-1).
        const float u = (x / kHalfWidth + (y + kRise) / kRise) * 0.5f;
        const float v = (x / kHalfWidth - (y + kRise) / kRise) * 0.5f;
        const float square = std::max(std::abs(u), std::abs(v));
        const float diamond = (std::abs(u) + std::abs(v)) / std::sqrt(2.0f);
        colour = std::min(square, diamond) < 0.3f ? kRed : kCream;
        return true;
    }
    colour = x < 0.0f ? kTeal : kNavy;
    return true;
}

void writeToString(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

} // namespace

Image cubeIcon(int size)
{
    Image image(size, size);
    for (int py = 0; py < size; ++py)
        for (int px = 0; px < size; ++px) {
            float r = 0.0f, g = 0.0f, b = 0.0f, covered = 0.0f;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const float x = (static_cast<float>(px) + (static_cast<float>(sx) + 0.5f) / kSamples) /
                                        static_cast<float>(size) * 2.0f -
                                    1.0f;
                    const float y = (static_cast<float>(py) + (static_cast<float>(sy) + 0.5f) / kSamples) /
                                        static_cast<float>(size) * 2.0f -
                                    1.0f;
                    Colour colour{};
                    if (shade(x, y, colour)) {
                        r += colour.r;
                        g += colour.g;
                        b += colour.b;
                        covered += 1.0f;
                    }
                }
            if (covered > 0.0f)
                image.set(px, py, r / covered, g / covered, b / covered, covered / (kSamples * kSamples));
        }
    return image;
}

std::string encodePng(const Image& image)
{
    std::string bytes;
    if (image.width <= 0 || image.height <= 0)
        return bytes;
    stbi_write_png_to_func(writeToString, &bytes, image.width, image.height, 4, image.rgba.data(), image.width * 4);
    return bytes;
}
