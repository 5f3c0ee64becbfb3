#pragma once

#include <cstdint>
#include <string>

#include "image.h"

enum class DdsCompression {
    Dxt1, // 8 bytes a block, opaque
    Dxt5, // 16 bytes a block, with alpha
};

// The fields of a DDS header that matter to a reader; the rest are written as zero.
struct DdsHeaderFields {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t pitchOrLinearSize = 0;
    std::uint32_t mipMapCount = 1;
    std::uint32_t pixelFormatFlags = 0x4; // four-character code present
    std::string fourCc = "DXT1";
    std::uint32_t rgbBitCount = 0;
    std::uint32_t masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha
};

// "DDS " and the 124-byte header.
std::string encodeDdsHeader(const DdsHeaderFields& fields);

// The 20-byte extended header that follows when the four-character code is "DX10".
std::string encodeDx10Header(std::uint32_t dxgiFormat);

// The blocks of one image in the given compression (edges padded by repeating pixels).
std::string compressImage(const Image& image, DdsCompression compression);

// A complete DDS file with a full mip chain down to 1 x 1.
std::string encodeDds(const Image& image, DdsCompression compression);
