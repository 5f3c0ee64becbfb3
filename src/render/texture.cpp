#include "texture.h"

#include <algorithm>

#include "asset_path.h"
#include "console.h"
#include "dds.h"
#include "texture_upload.h"

Texture::Texture(std::string path)
{
    const std::string resolved = resolveAssetPath(path);
    if (resolved.empty())
        fatalError("Could not find texture file: " + path);

    const DDSImage image = loadDDS(resolved);
    if (!image.hasImage())
        return;
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (image.width > static_cast<GLuint>(largest) || image.height > static_cast<GLuint>(largest)) {
        printLine("Unable to load DDS image file [" + resolved + "]: " + std::to_string(image.width) + " x " +
                  std::to_string(image.height) + " is larger than the " + std::to_string(largest) +
                  " pixels the graphics driver takes.");
        return;
    }

    glGenTextures(1, &textureHandle);
    glBindTexture(GL_TEXTURE_2D, textureHandle);
    uploadWithMipmaps(image);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    isValid = true;
}

GLint lastWholeBlockLevel(GLuint width, GLuint height)
{
    GLint level = 0;
    for (GLuint side = std::min(width, height); side >= 8; side /= 2)
        ++level;
    return level;
}

Texture::~Texture()
{
    if (isValid)
        glDeleteTextures(1, &textureHandle);
}

void Texture::bind(unsigned unit) const
{
    if (!isValid)
        return;
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, textureHandle);
}
