#include "screen_items.h"

#include <cstdio>

#include "hud_panel.h"
#include "text.h"

namespace {

std::unique_ptr<HudPanel> loadPanel(const std::string& texture)
{
    return std::make_unique<HudPanel>(texture, "assets/shaders/baseDecal.vert", "assets/shaders/baseDecal.frag");
}

HudPanel& panelOf(const HudPanels& panels, PanelId id)
{
    switch (id) {
    case PanelId::BluePanel:
        return *panels.bluePanel;
    case PanelId::PauseBackground:
        return *panels.pauseBackground;
    case PanelId::GlassCorner:
        break;
    }
    return *panels.glassCorner;
}

} // namespace

HudPanels loadHudPanels()
{
    HudPanels panels;
    panels.bluePanel = loadPanel("assets/textures/metalPanel_blue.dds");
    panels.pauseBackground = loadPanel("assets/textures/pauseBGcolor.dds");
    panels.glassCorner = loadPanel("assets/textures/glassPanel_cornerBL.dds");
    return panels;
}

std::string& ItemWriter::text(int x, int y, int size, bool centered)
{
    ScreenItem& item = next();
    if (!std::holds_alternative<TextItem>(item))
        item = TextItem{};
    TextItem& text = std::get<TextItem>(item);
    text.x = x;
    text.y = y;
    text.size = size;
    text.centered = centered;
    text.sized = sizing;
    return text.text;
}

ScreenItem& ItemWriter::next()
{
    if (count == items.size())
        items.emplace_back();
    return items[count++];
}

void writeNumber(std::string& text, const char* words, std::int32_t number, const char* after)
{
    text.assign(words);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", static_cast<int>(number));
    text.append(digits);
    text.append(after);
}

void noticeItems(const std::string& notice, int width, int height, std::vector<ScreenItem>& items)
{
    constexpr int kSize = 18;
    ItemWriter write(items, items.size());
    // Glyphs start half a size apart; the panel leaves a little either side.
    const int textWidth = static_cast<int>(notice.size()) * kSize / 2 + 2;
    write.panel(PanelId::BluePanel, width / 2 - textWidth / 2 - 12, height - 28, textWidth + 24, 26);
    write.text(notice.c_str(), width / 2, height - 24, kSize, true);
}

void drawScreenItems(const std::vector<ScreenItem>& items, const HudPanels& panels, int width, int height)
{
    // All strings go to GL in one upload; each run of consecutive strings is then one draw, and
    // the items keep their order, so each is still drawn over the ones before it.
    static TextVertices text;
    text.positions.clear();
    text.uvs.clear();
    for (const ScreenItem& item : items)
        if (const TextItem* line = std::get_if<TextItem>(&item))
            appendTextVertices(text, line->text, line->x, line->y, line->size, line->centered);
    uploadTextVertices(text);

    int runStart = 0;
    int runEnd = 0;
    const auto drawRun = [&] {
        if (runEnd > runStart)
            drawTextVertices(runStart, runEnd - runStart, width, height);
        runStart = runEnd;
    };
    for (const ScreenItem& item : items) {
        if (const PanelItem* panel = std::get_if<PanelItem>(&item)) {
            drawRun();
            panelOf(panels, panel->panel).draw(panel->x, panel->y, panel->width, panel->height, width, height);
        } else if (const TextItem* line = std::get_if<TextItem>(&item)) {
            runEnd += 6 * static_cast<int>(line->text.size());
        }
    }
    drawRun();
}
