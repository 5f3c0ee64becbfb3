#include <gtest/gtest.h>

#include <zlib.h>

#include "png_image.h"

namespace {

std::uint32_t bigEndian(const std::string& bytes, size_t at)
{
    std::uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

} // namespace

// A picture whose rows are not a multiple of 4 bytes, given bottom row first as GL reads it back:
// the file's chunks are whole and checked, the header says 8-bit RGB, and the pixels run from the
// top row down, each row after its filter byte.
TEST(PngImage, HoldsTheRowsTopFirstInCheckedChunks)
{
    const std::vector<std::uint8_t> rgb = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    const std::string png = encodePng(3, 2, rgb);
    ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::vector<std::string> types;
    std::string pixels;
    for (size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = bigEndian(png, at);
        ASSERT_LE(at + 12 + length, png.size());
        const std::string type = png.substr(at + 4, 4);
        const std::string data = png.substr(at + 8, length);
        const auto* checked = reinterpret_cast<const Bytef*>(png.data() + at + 4);
        EXPECT_EQ(bigEndian(png, at + 8 + length), crc32(0L, checked, length + 4)) << type;
        if (type == "IHDR") {
            EXPECT_EQ(data, std::string("\0\0\0\x03\0\0\0\x02\x08\x02\0\0\0", 13));
        }
        if (type == "IDAT") {
            uLongf size = 64;
            pixels.assign(size, '\0');
            ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(pixels.data()), &size,
                                 reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size())),
                      Z_OK);
            pixels.resize(size);
        }
        types.push_back(type);
        at += 12 + length;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    const std::string top(reinterpret_cast<const char*>(rgb.data()) + 9, 9);
    const std::string bottom(reinterpret_cast<const char*>(rgb.data()), 9);
    EXPECT_EQ(pixels, std::string(1, '\0') + top + std::string(1, '\0') + bottom);
    EXPECT_TRUE(encodePng(3, 2, {1, 2, 3}).empty()) << "fewer pixels than the size asks for";
}
