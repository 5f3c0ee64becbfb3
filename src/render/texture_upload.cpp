#include "texture_upload.h"

#include "block_decoder.h"
#include "texture.h"

#ifdef __EMSCRIPTEN__

void uploadWithMipmaps(const DDSImage& image)
{
    const std::vector<std::uint8_t> pixels = decodeBlocks(image);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(image.width), static_cast<GLsizei>(image.height), 0,
                 GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glGenerateMipmap(GL_TEXTURE_2D);
}

#else

void uploadWithMipmaps(const DDSImage& image)
{
    glCompressedTexImage2D(GL_TEXTURE_2D, 0, image.internalFormat, static_cast<GLsizei>(image.width),
                           static_cast<GLsizei>(image.height), 0, static_cast<GLsizei>(image.imageSize),
                           image.data.data());
    glGenerateMipmap(GL_TEXTURE_2D);
    // Mesa leaves the levels smaller than one 4 x 4 block of a compressed texture undefined, so
    // far-off sprites drew from whatever memory held: the chain stops at 4 x 4.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, lastWholeBlockLevel(image.width, image.height));
}

#endif
