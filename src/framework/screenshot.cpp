#include "screenshot.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "console.h"
#include "gl.h"

namespace {

// RGB rows, bottom first. They are read as RGBA, the one form OpenGL ES (and so WebGL) always
// gives back, with rows of whole 4-byte pixels that need no alignment.
std::vector<unsigned char> readPixels(int width, int height)
{
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::vector<unsigned char> rgba(count * 4);
    std::vector<unsigned char> pixels(count * 3);
    if (pixels.empty())
        return pixels;
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    for (size_t i = 0; i < count; ++i)
        std::copy_n(rgba.begin() + static_cast<long>(i * 4), 3, pixels.begin() + static_cast<long>(i * 3));
    return pixels;
}

} // namespace

void writeScreenshot(std::string baseName, int width, int height)
{
    if (width < 0 || height < 0)
        return;
    const std::vector<unsigned char> pixels = readPixels(width, height);

    const std::string fileName = baseName + ".ppm";
    std::FILE* file = std::fopen(fileName.c_str(), "w");
    if (file == nullptr) {
        printLine("ERROR: Could not create screenshot file '" + fileName + "'.");
        return;
    }

    std::fprintf(file, "P3\n%d %d\n%d\n", width, height, 255);
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    for (int i = 0; i < height; ++i) {
        // GL returns the bottom row first; the file runs from the top down.
        const unsigned char* row = pixels.data() + static_cast<size_t>(height - 1 - i) * rowBytes;
        for (size_t x = 0; x < static_cast<size_t>(width); ++x)
            std::fprintf(file, "%3d %3d %3d ", row[3 * x], row[3 * x + 1], row[3 * x + 2]);
        std::fputc('\n', file);
    }
    const bool writeFailed = std::ferror(file) != 0;
    if (std::fclose(file) != 0 || writeFailed)
        printLine("ERROR: Could not write screenshot file '" + fileName + "'.");
}
