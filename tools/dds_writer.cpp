#include "dds_writer.h"

#include <algorithm>
#include <cstring>

#define STB_DXT_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb_dxt.h>
#pragma GCC diagnostic pop

namespace {

constexpr std::uint32_t kCaps = 0x1;
constexpr std::uint32_t kHeight = 0x2;
constexpr std::uint32_t kWidth = 0x4;
constexpr std::uint32_t kPixelFormat = 0x1000;
constexpr std::uint32_t kMipMapCount = 0x20000;
constexpr std::uint32_t kLinearSize = 0x80000;
constexpr std::uint32_t kCapsComplex = 0x8;
constexpr std::uint32_t kCapsTexture = 0x1000;
constexpr std::uint32_t kCapsMipMap = 0x400000;

void putUint32(std::string& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

int mipLevelCount(int width, int height)
{
    int levels = 1;
    while (width > 1 || height > 1) {
        width = std::max(1, width / 2);
        height = std::max(1, height / 2);
        ++levels;
    }
    return levels;
}

} // namespace

std::string encodeDdsHeader(const DdsHeaderFields& fields)
{
    std::string out = "DDS ";
    putUint32(out, 124);
    std::uint32_t flags = kCaps | kHeight | kWidth | kPixelFormat | kLinearSize;
    if (fields.mipMapCount > 1)
        flags |= kMipMapCount;
    putUint32(out, flags);
    putUint32(out, fields.height);
    putUint32(out, fields.width);
    putUint32(out, fields.pitchOrLinearSize);
    putUint32(out, 0); // depth
    putUint32(out, fields.mipMapCount);
    for (int i = 0; i < 11; ++i)
        putUint32(out, 0);
    putUint32(out, 32); // pixel format size
    putUint32(out, fields.pixelFormatFlags);
    std::string code = fields.fourCc;
    code.resize(4, '\0');
    out += code;
    putUint32(out, fields.rgbBitCount);
    for (std::uint32_t mask : fields.masks)
        putUint32(out, mask);
    std::uint32_t caps = kCapsTexture;
    if (fields.mipMapCount > 1)
        caps |= kCapsComplex | kCapsMipMap;
    putUint32(out, caps);
    for (int i = 0; i < 4; ++i)
        putUint32(out, 0); // caps2, caps3, caps4, reserved
    return out;
}

std::string encodeDx10Header(std::uint32_t dxgiFormat)
{
    std::string out;
    putUint32(out, dxgiFormat);
    putUint32(out, 3); // a 2D texture
    putUint32(out, 0);
    putUint32(out, 1); // array size
    putUint32(out, 0);
    return out;
}

std::string compressImage(const Image& image, DdsCompression compression)
{
    const bool withAlpha = compression == DdsCompression::Dxt5;
    std::string out;
    unsigned char block[64];
    unsigned char encoded[16];
    for (int by = 0; by < image.height; by += 4)
        for (int bx = 0; bx < image.width; bx += 4) {
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x) {
                    const std::uint8_t* pixel =
                        image.at(std::min(bx + x, image.width - 1), std::min(by + y, image.height - 1));
                    std::copy(pixel, pixel + 4, block + static_cast<std::ptrdiff_t>(4 * (4 * y + x)));
                }
            stb_compress_dxt_block(encoded, block, withAlpha ? 1 : 0, STB_DXT_HIGHQUAL);
            out.append(reinterpret_cast<const char*>(encoded), withAlpha ? 16 : 8);
        }
    return out;
}

std::string encodeDds(const Image& image, DdsCompression compression)
{
    const std::string level0 = compressImage(image, compression);
    DdsHeaderFields fields;
    fields.width = static_cast<std::uint32_t>(image.width);
    fields.height = static_cast<std::uint32_t>(image.height);
    fields.pitchOrLinearSize = static_cast<std::uint32_t>(level0.size());
    fields.mipMapCount = static_cast<std::uint32_t>(mipLevelCount(image.width, image.height));
    fields.fourCc = compression == DdsCompression::Dxt5 ? "DXT5" : "DXT1";

    std::string out = encodeDdsHeader(fields) + level0;
    Image level = image;
    for (std::uint32_t i = 1; i < fields.mipMapCount; ++i) {
        level = halve(level);
        out += compressImage(level, compression);
    }
    return out;
}
