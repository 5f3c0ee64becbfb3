#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <glm/glm.hpp>

// Two triangles per byte of a string, in window pixels, and the atlas coordinates to match.
struct TextVertices {
    std::vector<glm::vec2> positions;
    std::vector<glm::vec2> uvs;
};

// The quads of `text` with its first glyph's bottom-left corner at (x, y), or, when `centered`,
// centred about x. Each glyph is 0.6 x size wide and size high; glyphs start 0.5 x size apart.
// A byte selects cell (byte % 16, byte / 16) of the 16 x 16 atlas, read as unsigned.
TextVertices buildTextVertices(std::string_view text, int x, int y, int size, bool centered);
// The same into `vertices`, whose storage is reused from call to call.
void fillTextVertices(TextVertices& vertices, std::string_view text, int x, int y, int size, bool centered);
// The same after the quads already in `vertices`.
void appendTextVertices(TextVertices& vertices, std::string_view text, int x, int y, int size, bool centered);

// Makes the one text renderer of the program: its buffers, the text program and the font atlas.
void initText(std::string fontTexturePath, std::string vertexShaderPath, std::string fragmentShaderPath);

// Draws a string over whatever is on screen, blended; skipped before initText.
void drawText(std::string_view text, int x, int y, int size, int screenWidth, int screenHeight, bool centered);

// Several strings with one upload: the quads of all of them go to the renderer's buffers, then runs
// of them are drawn, one call per run.
void uploadTextVertices(const TextVertices& vertices);
// Draws `count` vertices from `first` of the last upload, blended; skipped before initText.
void drawTextVertices(int first, int count, int screenWidth, int screenHeight);

// Releases the text renderer's GL objects.
void releaseText();
