#include "text_size.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace {

constexpr float kMargin = 4.0f; // from the window's edges
constexpr float kGap = 2.0f;    // between lines that had to move apart

// What moves together: a panel with the text on it, or the items of one line of text.
// A block laid out by its screen stays where it is, and the others keep clear of it.
struct Block {
    std::optional<size_t> panel;
    std::vector<size_t> texts;
    TextBox box;
    bool fixed = false;
};

float textWidth(const TextItem& text)
{
    const auto n = static_cast<float>(text.text.size());
    return n == 0.0f ? 0.0f : static_cast<float>(text.size) * (0.5f * (n - 1.0f) + 0.6f);
}

bool inside(const PanelItem& panel, int x, int y)
{
    return x >= panel.x && x < panel.x + panel.width && y >= panel.y && y < panel.y + panel.height;
}

bool overlapAcross(const TextBox& a, const TextBox& b)
{
    return a.left < b.right && b.left < a.right;
}

void moveBlock(std::vector<ScreenItem>& items, Block& block, float dx, float dy)
{
    if (block.fixed)
        return;
    const int x = static_cast<int>(std::lround(dx));
    const int y = static_cast<int>(std::lround(dy));
    if (block.panel) {
        PanelItem& panel = std::get<PanelItem>(items[*block.panel]);
        panel.x += x;
        panel.y += y;
    }
    for (size_t index : block.texts) {
        TextItem& text = std::get<TextItem>(items[index]);
        text.x += x;
        text.y += y;
    }
    block.box.left += static_cast<float>(x);
    block.box.right += static_cast<float>(x);
    block.box.bottom += static_cast<float>(y);
    block.box.top += static_cast<float>(y);
}

TextBox boxOf(const std::vector<ScreenItem>& items, const Block& block)
{
    TextBox box{1e9f, 1e9f, -1e9f, -1e9f};
    const auto take = [&](const TextBox& part) {
        box = {std::min(box.left, part.left), std::min(box.bottom, part.bottom), std::max(box.right, part.right),
               std::max(box.top, part.top)};
    };
    if (block.panel) {
        const PanelItem& panel = std::get<PanelItem>(items[*block.panel]);
        take({static_cast<float>(panel.x), static_cast<float>(panel.y), static_cast<float>(panel.x + panel.width),
              static_cast<float>(panel.y + panel.height)});
    }
    for (size_t index : block.texts)
        take(inkOf(std::get<TextItem>(items[index])));
    return box;
}

// A panel and its text about the point of the panel nearest the window's side it sits by.
void growPanel(std::vector<ScreenItem>& items, const Block& block, float scale, int width, int height)
{
    PanelItem& panel = std::get<PanelItem>(items[*block.panel]);
    const float middleX = static_cast<float>(panel.x) + static_cast<float>(panel.width) / 2.0f;
    const float middleY = static_cast<float>(panel.y) + static_cast<float>(panel.height) / 2.0f;
    const float w = static_cast<float>(width);
    float ax = middleX;
    if (middleX < w / 3.0f)
        ax = static_cast<float>(panel.x);
    else if (middleX > 2.0f * w / 3.0f)
        ax = static_cast<float>(panel.x + panel.width);
    const float ay = middleY > static_cast<float>(height) / 2.0f ? static_cast<float>(panel.y + panel.height)
                                                                 : static_cast<float>(panel.y);
    const auto about = [&](int value, float anchor) {
        return static_cast<int>(std::lround(anchor + (static_cast<float>(value) - anchor) * scale));
    };
    const int right = about(panel.x + panel.width, ax);
    const int top = about(panel.y + panel.height, ay);
    panel.x = about(panel.x, ax);
    panel.y = about(panel.y, ay);
    panel.width = right - panel.x;
    panel.height = top - panel.y;
    for (size_t index : block.texts) {
        TextItem& text = std::get<TextItem>(items[index]);
        text.x = about(text.x, ax);
        text.y = about(text.y, ay);
        text.size = static_cast<int>(std::lround(static_cast<float>(text.size) * scale));
    }
}

// A line's items about their middle, each no wider than the window; then its items apart.
void growLine(std::vector<ScreenItem>& items, Block& block, float scale, int width)
{
    const float room = static_cast<float>(width) - 2.0f * kMargin;
    for (size_t index : block.texts) {
        TextItem& text = std::get<TextItem>(items[index]);
        const float middle = static_cast<float>(text.y) + static_cast<float>(text.size) / 2.0f;
        float size = static_cast<float>(text.size) * scale;
        const float perSize = textWidth(text) / static_cast<float>(text.size);
        if (perSize > 0.0f)
            size = std::min(size, std::floor(room / perSize));
        text.size = std::max(1, static_cast<int>(std::lround(size)));
        text.y = static_cast<int>(std::lround(middle - static_cast<float>(text.size) / 2.0f));
    }
    // Left to right: a shorter item gives way to the left (a menu's marker), a longer to the right.
    std::sort(block.texts.begin(), block.texts.end(), [&](size_t a, size_t b) {
        return inkOf(std::get<TextItem>(items[a])).left < inkOf(std::get<TextItem>(items[b])).left;
    });
    for (size_t i = 1; i < block.texts.size(); ++i) {
        TextItem& before = std::get<TextItem>(items[block.texts[i - 1]]);
        TextItem& after = std::get<TextItem>(items[block.texts[i]]);
        const float overlap = inkOf(before).right + 2.0f * kGap - inkOf(after).left;
        if (overlap <= 0.0f)
            continue;
        if (before.text.size() < after.text.size() && i == 1)
            before.x -= static_cast<int>(std::ceil(overlap));
        else
            after.x += static_cast<int>(std::ceil(overlap));
    }
}

// Blocks that share columns are moved down, then up, until none overlaps the next and all are
// inside the window; where there is not room for all, the bottom wins.
void keepApartAndInside(std::vector<ScreenItem>& items, std::vector<Block>& blocks, int width, int height)
{
    for (Block& block : blocks) {
        block.box = boxOf(items, block);
        float dx = 0.0f;
        if (block.box.right > static_cast<float>(width) - kMargin)
            dx = static_cast<float>(width) - kMargin - block.box.right;
        if (block.box.left + dx < kMargin)
            dx = kMargin - block.box.left;
        moveBlock(items, block, dx, 0.0f);
    }
    std::sort(blocks.begin(), blocks.end(), [](const Block& a, const Block& b) { return a.box.top > b.box.top; });
    for (size_t i = 0; i < blocks.size(); ++i) {
        float ceiling = static_cast<float>(height) - kMargin;
        for (size_t j = 0; j < i; ++j)
            if (overlapAcross(blocks[i].box, blocks[j].box))
                ceiling = std::min(ceiling, blocks[j].box.bottom - kGap);
        if (blocks[i].box.top > ceiling)
            moveBlock(items, blocks[i], 0.0f, std::floor(ceiling - blocks[i].box.top));
    }
    for (size_t i = blocks.size(); i-- > 0;) {
        float floor = kMargin;
        for (size_t j = i + 1; j < blocks.size(); ++j)
            if (overlapAcross(blocks[i].box, blocks[j].box))
                floor = std::max(floor, blocks[j].box.top + kGap);
        if (blocks[i].box.bottom < floor)
            moveBlock(items, blocks[i], 0.0f, std::ceil(floor - blocks[i].box.bottom));
    }
}

} // namespace

TextBox inkOf(const TextItem& text)
{
    const float size = static_cast<float>(text.size);
    const auto n = static_cast<int>(text.text.size());
    // Where drawText starts a centred line: half the count of its glyphs, rounded down, before x.
    const int before = n / 2;
    const float left = text.centered ? std::trunc(static_cast<float>(text.x) - static_cast<float>(before) * size * 0.5f)
                                     : static_cast<float>(text.x);
    // The glyphs fill about the middle four fifths of their cells' height.
    return {left, static_cast<float>(text.y) + 0.1f * size, left + textWidth(text),
            static_cast<float>(text.y) + 0.9f * size};
}

void applyTextSize(std::vector<ScreenItem>& items, int percent, int width, int height)
{
    if (percent == 100)
        return;
    const float scale = static_cast<float>(percent) / 100.0f;
    std::vector<Block> blocks;
    std::vector<bool> placed(items.size(), false);
    for (size_t i = 0; i < items.size(); ++i) {
        const PanelItem* panel = std::get_if<PanelItem>(&items[i]);
        const TextItem* text = std::get_if<TextItem>(&items[i]);
        if ((panel != nullptr && panel->sized) || (text != nullptr && text->sized)) {
            Block block;
            block.fixed = true;
            if (panel != nullptr)
                block.panel = i;
            else
                block.texts.push_back(i);
            blocks.push_back(std::move(block));
            placed[i] = true;
        }
    }
    const size_t laidOut = blocks.size();
    for (size_t i = 0; i < items.size(); ++i) {
        const PanelItem* panel = std::get_if<PanelItem>(&items[i]);
        if (panel == nullptr || panel->sized || panel->width >= width ||
            panel->width * panel->height * 4 >= width * height)
            continue;
        Block block;
        block.panel = i;
        for (size_t j = 0; j < items.size(); ++j)
            if (const TextItem* text = std::get_if<TextItem>(&items[j]);
                text && !placed[j] && inside(*panel, text->x, text->y)) {
                block.texts.push_back(j);
                placed[j] = true;
            }
        if (!block.texts.empty())
            blocks.push_back(std::move(block));
    }
    for (size_t i = laidOut; i < blocks.size(); ++i)
        growPanel(items, blocks[i], scale, width, height);
    std::map<int, size_t> lines; // by the line's height on the screen
    for (size_t i = 0; i < items.size(); ++i) {
        const TextItem* text = std::get_if<TextItem>(&items[i]);
        if (text == nullptr || placed[i])
            continue;
        const auto [line, added] = lines.emplace(text->y, blocks.size());
        if (added)
            blocks.emplace_back();
        blocks[line->second].texts.push_back(i);
    }
    for (Block& block : blocks)
        if (!block.panel && !block.fixed)
            growLine(items, block, scale, width);
    keepApartAndInside(items, blocks, width, height);
}

void pointedBeforeTextSize(const std::vector<ScreenItem>& written, const std::vector<ScreenItem>& shown, float& x,
                           float& y)
{
    for (size_t i = 0; i < shown.size() && i < written.size(); ++i) {
        const TextItem* grown = std::get_if<TextItem>(&shown[i]);
        const TextItem* was = std::get_if<TextItem>(&written[i]);
        if (grown == nullptr || was == nullptr || grown->text.empty())
            continue;
        const TextBox to = inkOf(*grown);
        // The whole cell's height counts, as it does for the screens' own rows.
        const auto bottom = static_cast<float>(grown->y);
        const auto top = static_cast<float>(grown->y + grown->size);
        if (x < to.left || x >= to.right || y < bottom || y >= top)
            continue;
        const TextBox from = inkOf(*was);
        x = from.left + (x - to.left) * (from.right - from.left) / (to.right - to.left);
        y = static_cast<float>(was->y) + (y - bottom) * static_cast<float>(was->size) / (top - bottom);
        return;
    }
}
