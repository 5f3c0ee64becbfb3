#pragma once

#include <cstdint>
#include <vector>

#include "dds.h"

// The pixels of a DXT1, DXT3 or DXT5 image as 8-bit RGBA, rows from the top as the blocks hold
// them: for a GL that takes no such blocks, or cannot make the smaller levels of them (WebGL).
std::vector<std::uint8_t> decodeBlocks(const DDSImage& image);
