#include "pixel_readback.h"

#include <cstring>

#include "gl.h"

#ifdef __EMSCRIPTEN__

// Emscripten's glGetBufferSubData, WebGL 2's getBufferSubData; OpenGL ES headers do not declare it.
extern "C" void glGetBufferSubData(GLenum target, GLintptr offset, GLsizeiptr size, void* data);

bool readPixelPackBuffer(size_t bytes, std::vector<std::uint8_t>& pixels)
{
    pixels.resize(bytes);
    glGetBufferSubData(GL_PIXEL_PACK_BUFFER, 0, static_cast<GLsizeiptr>(bytes), pixels.data());
    return glGetError() == GL_NO_ERROR;
}

#else

bool readPixelPackBuffer(size_t bytes, std::vector<std::uint8_t>& pixels)
{
    const void* mapped = glMapBufferRange(GL_PIXEL_PACK_BUFFER, 0, static_cast<GLsizeiptr>(bytes), GL_MAP_READ_BIT);
    if (mapped == nullptr)
        return false;
    pixels.resize(bytes);
    std::memcpy(pixels.data(), mapped, bytes);
    glUnmapBuffer(GL_PIXEL_PACK_BUFFER);
    return true;
}

#endif
