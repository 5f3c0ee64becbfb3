#pragma once

#include <string>

#include "image.h"

// The game's icon: one of its cubes seen from above a corner, in the walls' cream, teal and
// navy, with the eight-pointed star on its top, on a transparent square of `size` pixels.
Image cubeIcon(int size);

// `image` as a PNG file's bytes.
std::string encodePng(const Image& image);
