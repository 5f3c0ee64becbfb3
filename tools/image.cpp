#include "image.h"

#include <algorithm>
#include <cmath>

namespace {
std::uint8_t toByte(float value)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}
} // namespace

Image::Image(int w, int h) : width(w), height(h), rgba(static_cast<size_t>(w) * h * 4, 0)
{
}

void Image::set(int x, int y, float r, float g, float b, float a)
{
    std::uint8_t* pixel = at(x, y);
    pixel[0] = toByte(r);
    pixel[1] = toByte(g);
    pixel[2] = toByte(b);
    pixel[3] = toByte(a);
}

Image halve(const Image& source)
{
    Image result(std::max(1, source.width / 2), std::max(1, source.height / 2));
    for (int y = 0; y < result.height; ++y)
        for (int x = 0; x < result.width; ++x)
            for (int c = 0; c < 4; ++c) {
                int sum = 0;
                int count = 0;
                for (int dy = 0; dy < 2; ++dy)
                    for (int dx = 0; dx < 2; ++dx) {
                        const int sx = std::min(2 * x + dx, source.width - 1);
                        const int sy = std::min(2 * y + dy, source.height - 1);
                        sum += source.at(sx, sy)[c];
                        ++count;
                    }
                result.at(x, y)[c] = static_cast<std::uint8_t>((sum + count / 2) / count);
            }
    return result;
}
