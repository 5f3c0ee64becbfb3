#include "font_atlas.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

#define STB_TRUETYPE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb_truetype.h>
#pragma GCC diagnostic pop

namespace {

constexpr int kAtlasSize = 1024;
constexpr int kCell = 64;
constexpr float kSampledWidth = kCell * 0.8f;
// On screen a cell's sampled part is 0.6 x size wide for 1.0 x size high: 0.75 of its shape.
constexpr float kStretch = 1.45f;
constexpr float kMaxInkWidth = 48.0f;
constexpr float kPixelHeight = 54.0f;
constexpr int kOutline = 2;

// Coverage of one glyph within its cell, 0 to 255, cell-sized.
std::vector<unsigned char> glyphCoverage(const stbtt_fontinfo& font, int code, float scale, int baseline)
{
    std::vector<unsigned char> cell(static_cast<size_t>(kCell) * kCell, 0);
    int x0, y0, x1, y1;
    stbtt_GetCodepointBitmapBox(&font, code, scale * kStretch, scale, &x0, &y0, &x1, &y1);
    float scaleX = scale * kStretch;
    if (static_cast<float>(x1 - x0) > kMaxInkWidth) {
        scaleX *= kMaxInkWidth / static_cast<float>(x1 - x0);
        stbtt_GetCodepointBitmapBox(&font, code, scaleX, scale, &x0, &y0, &x1, &y1);
    }
    const int width = x1 - x0;
    const int height = y1 - y0;
    if (width <= 0 || height <= 0)
        return cell;
    std::vector<unsigned char> bitmap(static_cast<size_t>(width) * height);
    stbtt_MakeCodepointBitmap(&font, bitmap.data(), width, height, width, scaleX, scale, code);

    const int left = static_cast<int>(std::lround(kSampledWidth / 2.0f - static_cast<float>(width) / 2.0f));
    const int top = baseline + y0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int cx = left + x;
            const int cy = top + y;
            if (cx >= 0 && cx < kCell && cy >= 0 && cy < kCell)
                cell[static_cast<size_t>(cy) * kCell + cx] = bitmap[static_cast<size_t>(y) * width + x];
        }
    return cell;
}

// White fill over a dark outline, so text reads on any background.
void paintGlyph(Image& atlas, int code, const std::vector<unsigned char>& coverage)
{
    const int originX = (code % 16) * kCell;
    const int originY = (code / 16) * kCell;
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            int outline = 0;
            for (int dy = -kOutline; dy <= kOutline; ++dy)
                for (int dx = -kOutline; dx <= kOutline; ++dx) {
                    const int sx = x + dx;
                    const int sy = y + dy;
                    if (sx < 0 || sy < 0 || sx >= kCell || sy >= kCell || dx * dx + dy * dy > kOutline * kOutline)
                        continue;
                    outline = std::max(outline, static_cast<int>(coverage[static_cast<size_t>(sy) * kCell + sx]));
                }
            const float fill = static_cast<float>(coverage[static_cast<size_t>(y) * kCell + x]) / 255.0f;
            const float alpha = std::max(fill, static_cast<float>(outline) / 255.0f);
            const float white = alpha > 0.0f ? fill / alpha : 0.0f;
            atlas.set(originX + x, originY + y, white, white, white, alpha);
        }
}

} // namespace

bool fontAtlas(const std::string& fontPath, Image& atlas)
{
    std::ifstream file(fontPath, std::ios::binary);
    const std::vector<unsigned char> fontData((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    stbtt_fontinfo font;
    if (fontData.empty() || !stbtt_InitFont(&font, fontData.data(), stbtt_GetFontOffsetForIndex(fontData.data(), 0)))
        return false;

    const float scale = stbtt_ScaleForPixelHeight(&font, kPixelHeight);
    int ascent, descent, lineGap;
    stbtt_GetFontVMetrics(&font, &ascent, &descent, &lineGap);
    const int baseline = static_cast<int>(std::lround(static_cast<float>(ascent) * scale)) +
                         (kCell - static_cast<int>(kPixelHeight)) / 2;

    atlas = Image(kAtlasSize, kAtlasSize);
    for (int code = 33; code < 127; ++code)
        paintGlyph(atlas, code, glyphCoverage(font, code, scale, baseline));
    return true;
}
