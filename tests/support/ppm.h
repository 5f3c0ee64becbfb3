#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A screenshot as the game writes it: "P3", "<w> <h>", "255", then one line per row, top row
// first, each pixel "%3d %3d %3d " (12 characters).
struct PpmImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb; // top row first

    struct Rgb {
        int r, g, b;
        bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
    };
    // Origin at the top-left, as in the file.
    Rgb at(int x, int y) const;
};

// Reads a screenshot, checking every line against the exact layout; `error` says what broke it.
bool readPpm(const std::filesystem::path& path, PpmImage& image, std::string& error);
