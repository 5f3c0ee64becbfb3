#include "block_decoder.h"

#include <array>

namespace {

using Rgba = std::array<std::uint8_t, 4>;

std::uint16_t word(const unsigned char* bytes)
{
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

Rgba expand565(std::uint16_t colour)
{
    const int r = colour >> 11, g = (colour >> 5) & 63, b = colour & 31;
    return {static_cast<std::uint8_t>(r << 3 | r >> 2), static_cast<std::uint8_t>(g << 2 | g >> 4),
            static_cast<std::uint8_t>(b << 3 | b >> 2), 255};
}

// (a * wa + b * wb) / (wa + wb), channel by channel.
Rgba blend(const Rgba& a, const Rgba& b, int wa, int wb)
{
    Rgba mixed{};
    for (int c = 0; c < 4; ++c)
        mixed[static_cast<size_t>(c)] =
            static_cast<std::uint8_t>((a[static_cast<size_t>(c)] * wa + b[static_cast<size_t>(c)] * wb) / (wa + wb));
    return mixed;
}

// The colour half of a block: two end colours and a 2-bit choice per texel. DXT1 alone has the
// three-colour mode with transparent black, when the first end is not the larger.
void decodeColours(const unsigned char* block, bool dxt1, std::array<Rgba, 16>& texels)
{
    const std::uint16_t first = word(block);
    const std::uint16_t second = word(block + 2);
    std::array<Rgba, 4> palette{expand565(first), expand565(second), Rgba{}, Rgba{}};
    if (first > second || !dxt1) {
        palette[2] = blend(palette[0], palette[1], 2, 1);
        palette[3] = blend(palette[0], palette[1], 1, 2);
    } else {
        palette[2] = blend(palette[0], palette[1], 1, 1);
        palette[3] = {0, 0, 0, 0};
    }
    const std::uint32_t choices =
        static_cast<std::uint32_t>(word(block + 4)) | static_cast<std::uint32_t>(word(block + 6)) << 16;
    for (size_t i = 0; i < 16; ++i)
        texels[i] = palette[(choices >> (2 * i)) & 3];
}

void decodeExplicitAlpha(const unsigned char* block, std::array<Rgba, 16>& texels)
{
    for (size_t i = 0; i < 16; ++i) {
        const int nibble = (block[i / 2] >> (4 * (i % 2))) & 15;
        texels[i][3] = static_cast<std::uint8_t>(nibble * 17);
    }
}

void decodeInterpolatedAlpha(const unsigned char* block, std::array<Rgba, 16>& texels)
{
    const int first = block[0], second = block[1];
    std::array<int, 8> alphas{first, second};
    const int steps = first > second ? 7 : 5;
    for (size_t i = 1; i < static_cast<size_t>(steps); ++i) {
        const int weight = static_cast<int>(i);
        alphas[i + 1] = ((steps - weight) * first + weight * second) / steps;
    }
    if (first <= second) {
        alphas[6] = 0;
        alphas[7] = 255;
    }
    std::uint64_t choices = 0;
    for (int i = 0; i < 6; ++i)
        choices |= static_cast<std::uint64_t>(block[2 + i]) << (8 * i);
    for (size_t i = 0; i < 16; ++i)
        texels[i][3] = static_cast<std::uint8_t>(alphas[(choices >> (3 * i)) & 7]);
}

} // namespace

std::vector<std::uint8_t> decodeBlocks(const DDSImage& image)
{
    const bool dxt1 = image.internalFormat == GL_COMPRESSED_RGBA_S3TC_DXT1_EXT;
    const bool dxt3 = image.internalFormat == GL_COMPRESSED_RGBA_S3TC_DXT3_EXT;
    const size_t blockBytes = dxt1 ? 8 : 16;
    const size_t across = (image.width + 3) / 4;
    const size_t down = (image.height + 3) / 4;
    std::vector<std::uint8_t> pixels(static_cast<size_t>(image.width) * image.height * 4);
    if (image.data.size() < across * down * blockBytes)
        return {};
    std::array<Rgba, 16> texels{};
    for (size_t by = 0; by < down; ++by) {
        for (size_t bx = 0; bx < across; ++bx) {
            const unsigned char* block = image.data.data() + (by * across + bx) * blockBytes;
            decodeColours(block + blockBytes - 8, dxt1, texels);
            if (dxt3)
                decodeExplicitAlpha(block, texels);
            else if (!dxt1)
                decodeInterpolatedAlpha(block, texels);
            // Blocks at the right and bottom edges hang over images whose sides are no multiple of 4.
            for (size_t i = 0; i < 16; ++i) {
                const size_t x = bx * 4 + i % 4, y = by * 4 + i / 4;
                if (x < image.width && y < image.height)
                    std::copy(texels[i].begin(), texels[i].end(),
                              pixels.begin() + static_cast<long>((y * image.width + x) * 4));
            }
        }
    }
    return pixels;
}
