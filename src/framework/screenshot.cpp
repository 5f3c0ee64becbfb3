#include "screenshot.h"

#include <cstdio>
#include <vector>

#include "console.h"
#include "gl.h"

namespace {

std::vector<unsigned char> readPixels(int width, int height)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    if (pixels.empty())
        return pixels;
    // Rows must come back tightly packed whatever the width, not padded to 4 bytes.
    GLint previousAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, previousAlignment);
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
