#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Copies the first `bytes` of the buffer bound to GL_PIXEL_PACK_BUFFER into `pixels`; false when
// GL cannot give them. Desktop GL maps the buffer; WebGL 2 maps none and copies it out instead.
bool readPixelPackBuffer(size_t bytes, std::vector<std::uint8_t>& pixels);
