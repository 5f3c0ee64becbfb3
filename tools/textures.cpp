#include "textures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr float kPi = 3.14159265f;

float hash(int x, int y, int seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

float smooth(float t)
{
    return t * t * (3.0f - 2.0f * t);
}

// Value noise that wraps every `period` cells, so the textures tile without seams.
float valueNoise(float x, float y, int period, int seed)
{
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const float fx = smooth(x - static_cast<float>(x0));
    const float fy = smooth(y - static_cast<float>(y0));
    auto corner = [&](int cx, int cy) {
        return hash(((cx % period) + period) % period, ((cy % period) + period) % period, seed);
    };
    const float top = corner(x0, y0) + (corner(x0 + 1, y0) - corner(x0, y0)) * fx;
    const float bottom = corner(x0, y0 + 1) + (corner(x0 + 1, y0 + 1) - corner(x0, y0 + 1)) * fx;
    return top + (bottom - top) * fy;
}

float fractalNoise(float x, float y, int period, int seed)
{
    float sum = 0.0f;
    float amplitude = 0.5f;
    for (int octave = 0; octave < 4; ++octave) {
        sum += amplitude * valueNoise(x, y, period, seed + octave);
        x *= 2.0f;
        y *= 2.0f;
        period *= 2;
        amplitude *= 0.5f;
    }
    return sum;
}

struct Colour {
    float r, g, b;
};

Colour mix(Colour a, Colour b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Inside an eight-pointed star (two overlapping squares) of the given radius around the origin.
bool inStar(float x, float y, float radius)
{
    const float square = std::max(std::abs(x), std::abs(y));
    const float diamond = (std::abs(x) + std::abs(y)) / std::sqrt(2.0f);
    return std::min(square, diamond) < radius;
}

} // namespace

Image woodTexture()
{
    constexpr int kSize = 256;
    Image image(kSize, kSize);
    const Colour light{0.82f, 0.60f, 0.37f};
    const Colour dark{0.52f, 0.31f, 0.15f};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float u = static_cast<float>(x) / kSize;
            const float v = static_cast<float>(y) / kSize;
            // Growth rings along the board, bent by noise; fine streaks across them.
            const float bend = fractalNoise(u * 4.0f, v * 4.0f, 4, 11);
            const float rings = 0.5f + 0.5f * std::sin(2.0f * kPi * (u * 9.0f + bend * 2.5f));
            const float streaks = fractalNoise(u * 64.0f, v * 2.0f, 64, 29);
            const float t = std::clamp(0.65f * std::pow(rings, 3.0f) + 0.35f * streaks, 0.0f, 1.0f);
            const Colour c = mix(light, dark, t);
            image.set(x, y, c.r, c.g, c.b);
        }
    return image;
}

Image alhambraWallsTexture()
{
    constexpr int kSize = 256;
    Image image(kSize, kSize);
    const Colour ivory{0.93f, 0.86f, 0.70f};
    const Colour border{0.10f, 0.20f, 0.42f};
    const Colour gold{0.85f, 0.66f, 0.22f};
    const Colour teal{0.08f, 0.47f, 0.48f};
    const Colour terracotta{0.70f, 0.30f, 0.18f};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float px = (static_cast<float>(x) + 0.5f) / kSize - 0.5f;
            const float py = (static_cast<float>(y) + 0.5f) / kSize - 0.5f;
            const float edge = 0.5f - std::max(std::abs(px), std::abs(py));
            Colour c = ivory;
            if (inStar(px, py, 0.30f))
                c = gold;
            if (inStar(px, py, 0.27f))
                c = teal;
            if (inStar(px, py, 0.12f))
                c = terracotta;
            // A small diamond in each corner of the face.
            for (float cx : {-0.5f, 0.5f})
                for (float cy : {-0.5f, 0.5f})
                    if (std::abs(px - cx) + std::abs(py - cy) < 0.2f)
                        c = teal;
            // The frame that makes each face read as one tile.
            if (edge < 0.055f)
                c = gold;
            if (edge < 0.04f)
                c = border;
            const float grain = 0.92f + 0.08f * fractalNoise(px * 16.0f + 8.0f, py * 16.0f + 8.0f, 16, 5);
            image.set(x, y, c.r * grain, c.g * grain, c.b * grain);
        }
    return image;
}

Image metalPanelBlueTexture()
{
    constexpr int kWidth = 256;
    constexpr int kHeight = 128;
    Image image(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const float v = static_cast<float>(y) / kHeight;
            const int edge = std::min(std::min(x, kWidth - 1 - x), std::min(y, kHeight - 1 - y));
            const float brushed = 0.9f + 0.1f * fractalNoise(static_cast<float>(x) / 4.0f, v * 2.0f, 64, 41);
            Colour c{0.12f, 0.28f, 0.62f};
            c = mix(c, Colour{0.05f, 0.12f, 0.34f}, v);
            if (edge < 6)
                c = Colour{0.45f, 0.62f, 0.90f};
            if (edge < 2)
                c = Colour{0.03f, 0.07f, 0.20f};
            // Rivets in the corners.
            for (int rx : {14, kWidth - 15})
                for (int ry : {14, kHeight - 15}) {
                    const float d = std::hypot(static_cast<float>(x - rx), static_cast<float>(y - ry));
                    if (d < 4.5f)
                        c = mix(Colour{0.85f, 0.90f, 1.0f}, Colour{0.3f, 0.4f, 0.6f}, d / 4.5f);
                }
            image.set(x, y, c.r * brushed, c.g * brushed, c.b * brushed, 0.92f);
        }
    return image;
}

Image pauseBackgroundTexture()
{
    constexpr int kSize = 64;
    Image image(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float v = static_cast<float>(y) / (kSize - 1);
            const Colour c = mix(Colour{0.16f, 0.06f, 0.30f}, Colour{0.04f, 0.02f, 0.10f}, v);
            image.set(x, y, c.r, c.g, c.b, 0.72f);
        }
    return image;
}

Image glassPanelCornerTexture()
{
    constexpr int kWidth = 256;
    constexpr int kHeight = 64;
    constexpr int kCut = 24; // the bottom-left corner is cut off at 45 degrees
    Image image(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const int fromBottom = kHeight - 1 - y;
            const int cutDistance = x + fromBottom - kCut;
            if (cutDistance < 0)
                continue;
            const int edge = std::min({x, y, kWidth - 1 - x, fromBottom, cutDistance});
            const float shine = 0.1f * (1.0f - static_cast<float>(y) / kHeight);
            if (edge < 3)
                image.set(x, y, 0.90f, 0.96f, 1.0f, 0.85f);
            else
                image.set(x, y, 0.20f + shine, 0.32f + shine, 0.45f + shine, 0.55f);
        }
    return image;
}

Image starParticleTexture()
{
    constexpr int kSize = 64;
    Image image(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float px = (static_cast<float>(x) + 0.5f) / kSize * 2.0f - 1.0f;
            const float py = (static_cast<float>(y) + 0.5f) / kSize * 2.0f - 1.0f;
            const float r = std::hypot(px, py);
            const float glow = std::max(0.0f, 1.0f - r);
            // Four soft spikes along the axes.
            const float spikes = std::max(0.0f, 1.0f - std::abs(px) * 12.0f) * std::max(0.0f, 1.0f - std::abs(py)) +
                                 std::max(0.0f, 1.0f - std::abs(py) * 12.0f) * std::max(0.0f, 1.0f - std::abs(px));
            const float alpha = std::clamp(glow * glow * glow * 1.5f + spikes * 0.8f, 0.0f, 1.0f);
            image.set(x, y, 1.0f, 1.0f, 1.0f, alpha);
        }
    return image;
}
