#include "ppm.h"

#include <cstdio>

#include "process.h"
#include "temp_dir.h"

PpmImage::Rgb PpmImage::at(int x, int y) const
{
    const size_t i = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

bool readPpm(const std::filesystem::path& path, PpmImage& image, std::string& error)
{
    const std::string text = readFile(path);
    if (text.empty() || text.back() != '\n') {
        error = "missing or not ended by a line break";
        return false;
    }
    const std::vector<std::string> lines = splitLines(text);
    if (lines.size() < 3 || lines[0] != "P3" || lines[2] != "255") {
        error = "bad header";
        return false;
    }
    if (std::sscanf(lines[1].c_str(), "%d %d", &image.width, &image.height) != 2 ||
        lines[1] != std::to_string(image.width) + " " + std::to_string(image.height)) {
        error = "bad size line: " + lines[1];
        return false;
    }
    if (lines.size() != 3 + static_cast<size_t>(image.height)) {
        error = "expected " + std::to_string(image.height) + " rows, found " + std::to_string(lines.size() - 3);
        return false;
    }
    image.rgb.clear();
    image.rgb.reserve(static_cast<size_t>(image.width) * image.height * 3);
    for (int row = 0; row < image.height; ++row) {
        const std::string& line = lines[3 + static_cast<size_t>(row)];
        if (line.size() != 12 * static_cast<size_t>(image.width)) {
            error = "row " + std::to_string(row) + " has " + std::to_string(line.size()) + " characters";
            return false;
        }
        for (int x = 0; x < image.width; ++x) {
            const std::string pixel = line.substr(12 * static_cast<size_t>(x), 12);
            int r = 0, g = 0, b = 0;
            char formatted[16];
            if (std::sscanf(pixel.c_str(), "%d %d %d", &r, &g, &b) != 3 ||
                std::snprintf(formatted, sizeof formatted, "%3d %3d %3d ", r, g, b) != 12 || pixel != formatted ||
                r > 255 || g > 255 || b > 255 || r < 0 || g < 0 || b < 0) {
                error = "bad pixel '" + pixel + "' in row " + std::to_string(row);
                return false;
            }
            image.rgb.insert(image.rgb.end(), {static_cast<unsigned char>(r), static_cast<unsigned char>(g),
                                               static_cast<unsigned char>(b)});
        }
    }
    return true;
}
