#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// An 8-bit RGBA image, top row first.
struct Image {
    Image(int width, int height);

    int width;
    int height;
    std::vector<std::uint8_t> rgba;

    std::uint8_t* at(int x, int y)
    {
        return &rgba[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4];
    }
    const std::uint8_t* at(int x, int y) const
    {
        return &rgba[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4];
    }

    // Colour channels in [0, 1], clamped and rounded to bytes.
    void set(int x, int y, float r, float g, float b, float a = 1.0f);
};

// The next smaller mip level: each pixel the average of up to 2 x 2 pixels of `source`.
Image halve(const Image& source);
