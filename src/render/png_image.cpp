#include "png_image.h"

#include <zlib.h>

namespace {

void appendBigEndian(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFFu));
}

void appendChunk(std::string& out, const char* type, const std::string& data)
{
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.append(type, 4);
    out.append(data);
    const auto* checked = reinterpret_cast<const Bytef*>(out.data() + typeAt);
    appendBigEndian(
        out, static_cast<std::uint32_t>(crc32(crc32(0L, Z_NULL, 0), checked, static_cast<uInt>(data.size() + 4))));
}

// Each row after its filter byte (0: none); a game's frame gains little from the others.
std::string scanlines(int width, int height, const std::vector<std::uint8_t>& rgb)
{
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    std::string rows;
    rows.reserve((rowBytes + 1) * static_cast<size_t>(height));
    for (int y = height - 1; y >= 0; --y) {
        rows.push_back('\0');
        const auto* row = reinterpret_cast<const char*>(rgb.data()) + static_cast<size_t>(y) * rowBytes;
        rows.append(row, rowBytes);
    }
    return rows;
}

} // namespace

std::string encodePng(int width, int height, const std::vector<std::uint8_t>& rgb)
{
    if (width <= 0 || height <= 0 || rgb.size() < static_cast<size_t>(width) * static_cast<size_t>(height) * 3)
        return {};
    const std::string rows = scanlines(width, height, rgb);
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(rows.data()),
                  static_cast<uLong>(rows.size()), 6) != Z_OK)
        return {};
    packed.resize(packedSize);

    std::string header;
    appendBigEndian(header, static_cast<std::uint32_t>(width));
    appendBigEndian(header, static_cast<std::uint32_t>(height));
    header += std::string{'\x08', '\x02', '\0', '\0', '\0'}; // 8 bits, RGB, deflate, no filter set, no interlace

    std::string png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", packed);
    appendChunk(png, "IEND", {});
    return png;
}
