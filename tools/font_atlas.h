#pragma once

#include <string>

#include "image.h"

// A 1024 x 1024 atlas of 16 x 16 cells, one per 8-bit character code (column = code % 16,
// row = code / 16, top row first), with white, dark-outlined glyphs on transparent. The game
// samples the left 80 % of each cell and draws it 0.6 times as wide as high, so glyphs are
// stretched sideways here to look right on screen. Returns false if the font cannot be read.
// The atlas is a work derived from its font: drawn from Carlito, it is under Carlito's SIL Open
// Font License 1.1 (packaging/OFL-1.1.txt), not under the game's MIT licence.
bool fontAtlas(const std::string& fontPath, Image& atlas);
