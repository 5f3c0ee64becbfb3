#include <gtest/gtest.h>

#include "dds.h"
#include "dds_writer.h"
#include "temp_dir.h"

namespace {

Image solidImage(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255)
{
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.at(x, y);
            p[0] = r, p[1] = g, p[2] = b, p[3] = a;
        }
    return image;
}

class DdsLoading : public ::testing::Test {
protected:
    // Writes the bytes and loads them, returning the image and what was printed.
    DDSImage load(const std::string& bytes)
    {
        writeFile(file, bytes);
        testing::internal::CaptureStdout();
        DDSImage image = loadDDS(file.string());
        printed = testing::internal::GetCapturedStdout();
        return image;
    }

    TempDir tmp;
    std::filesystem::path file = tmp / "image.dds";
    std::string printed;
};

} // namespace

TEST(CompressedImageSize, CountsWholeBlocks)
{
    EXPECT_EQ(compressedImageSize(5, 3, 8), 16u);
    EXPECT_EQ(compressedImageSize(1024, 1024, 16), 1048576u);
    EXPECT_EQ(compressedImageSize(1, 1, 16), 16u);
    EXPECT_EQ(compressedImageSize(4, 4, 8), 8u);
}

TEST(CompressedImageSize, IsZeroWhenItDoesNotFit32Bits)
{
    EXPECT_EQ(compressedImageSize(0xFFFFFFFFu, 0xFFFFFFFFu, 16), 0u);
    EXPECT_EQ(compressedImageSize(65536, 65536, 16), 0u);
}

TEST_F(DdsLoading, ReadsTheTopLevelOfDxt1AndDxt5Files)
{
    const Image image = solidImage(8, 4, 0, 255, 0);
    const DDSImage dxt1 = load(encodeDds(image, DdsCompression::Dxt1));
    EXPECT_EQ(printed, "");
    ASSERT_TRUE(dxt1.hasImage());
    EXPECT_EQ(dxt1.width, 8u);
    EXPECT_EQ(dxt1.height, 4u);
    EXPECT_EQ(dxt1.imageSize, 16u);
    EXPECT_EQ(dxt1.internalFormat, static_cast<GLenum>(GL_COMPRESSED_RGBA_S3TC_DXT1_EXT));
    EXPECT_EQ(std::string(dxt1.data.begin(), dxt1.data.end()), compressImage(image, DdsCompression::Dxt1));

    const DDSImage dxt5 = load(encodeDds(image, DdsCompression::Dxt5));
    EXPECT_EQ(dxt5.imageSize, 32u);
    EXPECT_EQ(dxt5.internalFormat, static_cast<GLenum>(GL_COMPRESSED_RGBA_S3TC_DXT5_EXT));
}

TEST_F(DdsLoading, MapsTheDx10BlockFormatsLikeTheFourCharacterCodes)
{
    const std::string blocks = compressImage(solidImage(4, 4, 255, 0, 0), DdsCompression::Dxt5);
    DdsHeaderFields fields;
    fields.width = fields.height = 4;
    fields.fourCc = "DX10";
    const struct {
        std::uint32_t dxgi;
        GLenum expected;
    } cases[] = {{71, GL_COMPRESSED_RGBA_S3TC_DXT1_EXT}, {72, GL_COMPRESSED_RGBA_S3TC_DXT1_EXT},
                 {74, GL_COMPRESSED_RGBA_S3TC_DXT3_EXT}, {75, GL_COMPRESSED_RGBA_S3TC_DXT3_EXT},
                 {77, GL_COMPRESSED_RGBA_S3TC_DXT5_EXT}, {78, GL_COMPRESSED_RGBA_S3TC_DXT5_EXT}};
    for (const auto& c : cases) {
        const DDSImage image = load(encodeDdsHeader(fields) + encodeDx10Header(c.dxgi) + blocks);
        ASSERT_TRUE(image.hasImage()) << c.dxgi;
        EXPECT_EQ(image.internalFormat, c.expected) << c.dxgi;
        // The level-0 bytes start after the extended header.
        EXPECT_EQ(image.data[0], static_cast<unsigned char>(blocks[0])) << c.dxgi;
    }
    fields.fourCc = "DXT3";
    EXPECT_EQ(load(encodeDdsHeader(fields) + blocks).internalFormat,
              static_cast<GLenum>(GL_COMPRESSED_RGBA_S3TC_DXT3_EXT));
}

TEST_F(DdsLoading, RefusesUncompressedAndUnknownFormats)
{
    DdsHeaderFields rgba;
    rgba.width = rgba.height = 2;
    rgba.pixelFormatFlags = 0x41; // RGB with alpha, no four-character code
    rgba.fourCc = std::string(4, '\0');
    rgba.rgbBitCount = 32;
    EXPECT_FALSE(load(encodeDdsHeader(rgba) + std::string(16, '\x7f')).hasImage());
    EXPECT_EQ(printed, "Unable to load DDS image file [" + file.string() + "] due to an unsupported format.\n");

    DdsHeaderFields bc7;
    bc7.width = bc7.height = 4;
    bc7.fourCc = "DX10";
    EXPECT_FALSE(load(encodeDdsHeader(bc7) + encodeDx10Header(98) + std::string(16, '\0')).hasImage());
    EXPECT_EQ(printed, "Unable to load DDS image file [" + file.string() + "] due to an unsupported format.\n");
}

TEST_F(DdsLoading, RefusesFilesThatAreNotDdsOrWhoseHeaderIsCut)
{
    const std::string unreadable = "Unable to load DDS image file from path[" + file.string() + "]\n";
    EXPECT_FALSE(load("not a DDS file at all").hasImage());
    EXPECT_EQ(printed, unreadable);

    DdsHeaderFields fields;
    fields.width = fields.height = 4;
    EXPECT_FALSE(load(encodeDdsHeader(fields).substr(0, 60)).hasImage());
    EXPECT_EQ(printed, unreadable);

    fields.width = 0;
    EXPECT_FALSE(load(encodeDdsHeader(fields) + std::string(8, '\0')).hasImage());
    EXPECT_EQ(printed, unreadable);

    testing::internal::CaptureStdout();
    EXPECT_FALSE(loadDDS((tmp / "missing.dds").string()).hasImage());
    EXPECT_NE(testing::internal::GetCapturedStdout(), "");
}

TEST_F(DdsLoading, RefusesDataShorterThanTheTopLevelWithoutReadingPastTheEnd)
{
    const std::string whole = encodeDds(solidImage(1024, 1024, 9, 9, 9), DdsCompression::Dxt5);
    const std::string cut = whole.substr(0, 128 + 1048576 - 1);
    EXPECT_FALSE(load(cut).hasImage());
    EXPECT_EQ(printed, "Unable to load DDS image file [" + file.string() + "]: its image data is cut short.\n");

    // A header that claims a huge image over a few bytes of data is refused before any allocation.
    DdsHeaderFields huge;
    huge.width = huge.height = 60000;
    huge.fourCc = "DXT5";
    huge.pitchOrLinearSize = 0xFFFFFFFFu;
    EXPECT_FALSE(load(encodeDdsHeader(huge) + std::string(64, '\0')).hasImage());
    EXPECT_EQ(printed, "Unable to load DDS image file [" + file.string() + "]: its image data is cut short.\n");
}
