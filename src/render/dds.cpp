#include "dds.h"

#include <cstdio>
#include <cstring>
#include <limits>

#include "console.h"

namespace {

constexpr std::size_t kMagicSize = 4;
constexpr std::size_t kHeaderSize = 124;
constexpr std::size_t kDx10HeaderSize = 20;

// Offsets inside the 124-byte header.
constexpr std::size_t kHeaderSizeField = 0;
constexpr std::size_t kHeightField = 8;
constexpr std::size_t kWidthField = 12;
constexpr std::size_t kPixelFormatFlagsField = 76;
constexpr std::size_t kFourCcField = 80;

constexpr std::uint32_t kPixelFormatHasFourCc = 0x4;

// DXGI formats of the DX10 header that hold BC1, BC2 and BC3 data.
constexpr std::uint32_t kDxgiBc1Unorm = 71;
constexpr std::uint32_t kDxgiBc1Srgb = 72;
constexpr std::uint32_t kDxgiBc2Unorm = 74;
constexpr std::uint32_t kDxgiBc2Srgb = 75;
constexpr std::uint32_t kDxgiBc3Unorm = 77;
constexpr std::uint32_t kDxgiBc3Srgb = 78;

struct BlockFormat {
    GLenum internalFormat;
    std::uint32_t blockBytes;
};

constexpr BlockFormat kDxt1{GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, 8};
constexpr BlockFormat kDxt3{GL_COMPRESSED_RGBA_S3TC_DXT3_EXT, 16};
constexpr BlockFormat kDxt5{GL_COMPRESSED_RGBA_S3TC_DXT5_EXT, 16};

std::uint32_t readUint32(const unsigned char* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::uint32_t fourCc(const char* code)
{
    return readUint32(reinterpret_cast<const unsigned char*>(code));
}

const BlockFormat* formatOfFourCc(std::uint32_t code)
{
    if (code == fourCc("DXT1"))
        return &kDxt1;
    if (code == fourCc("DXT3"))
        return &kDxt3;
    if (code == fourCc("DXT5"))
        return &kDxt5;
    return nullptr;
}

const BlockFormat* formatOfDxgi(std::uint32_t dxgiFormat)
{
    switch (dxgiFormat) {
    case kDxgiBc1Unorm:
    case kDxgiBc1Srgb:
        return &kDxt1;
    case kDxgiBc2Unorm:
    case kDxgiBc2Srgb:
        return &kDxt3;
    case kDxgiBc3Unorm:
    case kDxgiBc3Srgb:
        return &kDxt5;
    default:
        return nullptr;
    }
}

// Where the bytes of a DDS file come from: a file on disk or a buffer in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads exactly `count` bytes, or fails.
    virtual bool read(unsigned char* buffer, std::size_t count) = 0;
    // Bytes from here to the end.
    virtual std::uint64_t remaining() = 0;
};

class FileSource : public ByteSource {
public:
    explicit FileSource(std::FILE* opened) : file(opened) {}
    ~FileSource() override
    {
        if (file)
            std::fclose(file);
    }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    bool read(unsigned char* buffer, std::size_t count) override
    {
        return file && std::fread(buffer, 1, count, file) == count;
    }

    std::uint64_t remaining() override
    {
        const long here = file ? std::ftell(file) : -1;
        if (here < 0 || std::fseek(file, 0, SEEK_END) != 0)
            return 0;
        const long end = std::ftell(file);
        if (end < here || std::fseek(file, here, SEEK_SET) != 0)
            return 0;
        return static_cast<std::uint64_t>(end - here);
    }

private:
    std::FILE* file;
};

class MemorySource : public ByteSource {
public:
    MemorySource(const unsigned char* data, std::size_t length) : bytes(data), size(length) {}

    bool read(unsigned char* buffer, std::size_t count) override
    {
        if (count > size - offset)
            return false;
        if (count > 0)
            std::memcpy(buffer, bytes + offset, count);
        offset += count;
        return true;
    }

    std::uint64_t remaining() override { return size - offset; }

private:
    const unsigned char* bytes;
    std::size_t size;
    std::size_t offset = 0;
};

DDSImage decodeDDS(ByteSource& source, const std::string& path)
{
    const std::string unreadable = "Unable to load DDS image file from path[" + path + "]";
    const std::string cutShort = "Unable to load DDS image file [" + path + "]: its image data is cut short.";

    unsigned char magic[kMagicSize];
    unsigned char header[kHeaderSize];
    if (!source.read(magic, kMagicSize) || std::memcmp(magic, "DDS ", kMagicSize) != 0 ||
        !source.read(header, kHeaderSize) || readUint32(header + kHeaderSizeField) != kHeaderSize) {
        printLine(unreadable);
        return {};
    }

    DDSImage image;
    image.width = readUint32(header + kWidthField);
    image.height = readUint32(header + kHeightField);
    if (image.width == 0 || image.height == 0) {
        printLine(unreadable);
        return {};
    }

    const BlockFormat* format = nullptr;
    if ((readUint32(header + kPixelFormatFlagsField) & kPixelFormatHasFourCc) != 0) {
        const std::uint32_t code = readUint32(header + kFourCcField);
        if (code == fourCc("DX10")) {
            unsigned char dx10[kDx10HeaderSize];
            if (!source.read(dx10, kDx10HeaderSize)) {
                printLine(unreadable);
                return {};
            }
            format = formatOfDxgi(readUint32(dx10));
        } else {
            format = formatOfFourCc(code);
        }
    }
    if (format == nullptr) {
        printLine("Unable to load DDS image file [" + path + "] due to an unsupported format.");
        return {};
    }

    image.internalFormat = format->internalFormat;
    image.imageSize = compressedImageSize(image.width, image.height, format->blockBytes);
    // Check the length before allocating: a header may claim far more than the file holds.
    if (image.imageSize == 0 || source.remaining() < image.imageSize) {
        printLine(cutShort);
        return {};
    }
    image.data.resize(image.imageSize);
    if (!source.read(image.data.data(), image.imageSize)) {
        printLine(cutShort);
        return {};
    }
    return image;
}

} // namespace

std::uint32_t compressedImageSize(std::uint32_t width, std::uint32_t height, std::uint32_t blockBytes)
{
    const std::uint64_t blocksWide = (static_cast<std::uint64_t>(width) + 3) / 4;
    const std::uint64_t blocksHigh = (static_cast<std::uint64_t>(height) + 3) / 4;
    const std::uint64_t bytes = blocksWide * blocksHigh * blockBytes;
    if (bytes > std::numeric_limits<std::uint32_t>::max())
        return 0;
    return static_cast<std::uint32_t>(bytes);
}

DDSImage loadDDS(const std::string& path)
{
    FileSource file(std::fopen(path.c_str(), "rb"));
    return decodeDDS(file, path);
}

DDSImage loadDDSFromMemory(const unsigned char* bytes, std::size_t size, const std::string& path)
{
    MemorySource memory(bytes, size);
    return decodeDDS(memory, path);
}
