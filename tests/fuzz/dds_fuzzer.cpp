// libFuzzer target: the DDS reader, from the header through the size arithmetic to the level-0 bytes.

#include <cstddef>
#include <cstdint>

#include "dds.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const DDSImage image = loadDDSFromMemory(data, size, "fuzz.dds");
    if (image.hasImage() && image.data.size() != image.imageSize)
        __builtin_trap(); // the bytes handed to GL must be exactly the ones read
    return 0;
}
