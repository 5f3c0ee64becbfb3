#pragma once

#include "dds.h"

// Gives the texture bound to GL_TEXTURE_2D the image as its top level, and its smaller levels.
// Desktop GL takes the DXT blocks as they are and makes the levels from them; WebGL makes no
// levels of compressed blocks (and may not take them at all), so there they are decoded first.
void uploadWithMipmaps(const DDSImage& image);
