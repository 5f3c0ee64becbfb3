#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gl.h"

// The top level of a block-compressed DDS image, ready for glCompressedTexImage2D.
struct DDSImage {
    std::vector<unsigned char> data; // empty: no image
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t imageSize = 0;
    GLenum internalFormat = 0;

    bool hasImage() const { return !data.empty(); }
};

// Reads a DXT1, DXT3 or DXT5 DDS file (legacy four-character code or DX10 header with BC1-BC3).
// Every failure yields an image without data; unreadable, unsupported and cut-short files are
// reported with one console line each, naming `path`.
DDSImage loadDDS(const std::string& path);

// The same from the bytes of a file already in memory.
DDSImage loadDDSFromMemory(const unsigned char* bytes, std::size_t size, const std::string& path);

// Bytes of a width x height image stored in 4 x 4 blocks of `blockBytes`, or 0 when that does
// not fit 32 bits (no real texture comes near it).
std::uint32_t compressedImageSize(std::uint32_t width, std::uint32_t height, std::uint32_t blockBytes);
