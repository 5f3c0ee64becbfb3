#pragma once

#include <string>

// Reads the width x height pixels of the framebuffer bound for reading and writes them to
// "<baseName>.ppm" in the working directory as a plain-text P3 image, top row first.
// A file that cannot be created is reported on the console and nothing is written.
void writeScreenshot(std::string baseName, int width, int height);
