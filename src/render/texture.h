#pragma once

#include <string>

#include "gl.h"

// A 2D texture made from the top level of a block-compressed DDS file, with GL-built mipmaps.
class Texture {
public:
    // `path` is an asset name such as "assets/textures/wood_texture.dds". A missing file ends the
    // game; a file that cannot be decoded leaves an invalid texture that binds nothing.
    explicit Texture(std::string path);
    ~Texture();

    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    void bind(unsigned unit) const;

    bool valid() const { return isValid; }
    GLuint handle() const { return textureHandle; }

private:
    GLuint textureHandle = 0;
    bool isValid = false;
};

// The last mipmap level of a compressed texture of that size that still holds a whole 4 x 4 block.
GLint lastWholeBlockLevel(GLuint width, GLuint height);
