#include "screens.h"

#include "app_state.h"
#include "game_world.h"
#include "hud_panel.h"
#include "options_menu.h"
#include "text.h"

#include <algorithm>
#include <cstdio>

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

ScreenState screenStateOf(const GameWorld& world, int width, int height)
{
    ScreenState state;
    state.width = width;
    state.height = height;
    state.points = points;
    state.activeKind = world.activeKind;
    state.shifting = world.segments.shifting;
    return state;
}

namespace {

// Writes a screen's items over those already in a list, reusing their storage.
class ItemWriter {
public:
    explicit ItemWriter(std::vector<ScreenItem>& list) : items(list) {}
    ~ItemWriter() { items.resize(count); }
    ItemWriter(const ItemWriter&) = delete;
    ItemWriter& operator=(const ItemWriter&) = delete;

    void panel(PanelId panel, int x, int y, int width, int height) { next() = PanelItem{panel, x, y, width, height}; }

    // The text item to fill in; its text is the caller's to write.
    std::string& text(int x, int y, int size, bool centered)
    {
        ScreenItem& item = next();
        if (!std::holds_alternative<TextItem>(item))
            item = TextItem{};
        TextItem& text = std::get<TextItem>(item);
        text.x = x;
        text.y = y;
        text.size = size;
        text.centered = centered;
        return text.text;
    }

    void text(const char* words, int x, int y, int size, bool centered) { text(x, y, size, centered).assign(words); }

private:
    ScreenItem& next()
    {
        if (count == items.size())
            items.emplace_back();
        return items[count++];
    }

    std::vector<ScreenItem>& items;
    size_t count = 0;
};

// `words` followed by the number, in the item's own storage.
void writeNumber(std::string& text, const char* words, std::int32_t number, const char* after = "")
{
    text.assign(words);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", static_cast<int>(number));
    text.append(digits);
    text.append(after);
}

template <typename Build> std::vector<ScreenItem> collect(const ScreenState& state, Build build)
{
    std::vector<ScreenItem> items;
    build(state, items);
    return items;
}

} // namespace

void hudItems(const ScreenState& state, std::vector<ScreenItem>& items)
{
    const int w = state.width;
    const int h = state.height;
    ItemWriter write(items);
    write.panel(PanelId::BluePanel, 40, h - 110, 200, 90);
    write.text("Blocks dropped:", 50, h - 45, 25, false);
    writeNumber(write.text(50, h - 100, 60, false), "", state.points);
    write.panel(PanelId::GlassCorner, w - 200, h - 90, 210, 50);
    write.text("[ESC] Pause", w - 180, h - 75, 30, false);
    if (state.activeKind == PowerupKind::DoublePoints)
        write.text("Double Points!", w / 2, h - 80, 50, true);
    if (state.activeKind == PowerupKind::Glide)
        write.text("Gliding enabled!", w / 2, h - 80, 50, true);
    if (state.shifting)
        write.text("Shifting Cubes!", w / 2, 80, 50, true);
    if (state.replay)
        write.text("Replay", w / 2, h - 140, 40, true);
}

void pauseScreenItems(const ScreenState& state, std::vector<ScreenItem>& items)
{
    const int w = state.width;
    const int h = state.height;
    ItemWriter write(items);
    write.panel(PanelId::PauseBackground, 0, 0, w, h);
    write.text("Paused", w / 2, h - 200, 90, true);
    writeNumber(write.text(w / 2, h - 350, 60, true), "Current points: ", state.points);
    write.text("Press [ESC] to resume", w / 2, h - 600, 40, true);
    write.text("Press [Q] to quit", w / 2, h - 680, 40, true);
    write.text("[O] Options", w / 2, h - 520, 40, true);
    write.text("[F1] Toggle wireframe", 30, h - 80, 20, false);
    write.text("[F2] Toggle backface culling", 30, h - 120, 20, false);
    write.text("[N] Show Normals", 30, h - 160, 20, false);
    write.text("[T] Show tex coordinates", 30, h - 200, 20, false);
}

void gameOverScreenItems(const ScreenState& state, std::vector<ScreenItem>& items)
{
    const int w = state.width;
    const int h = state.height;
    ItemWriter write(items);
    write.panel(PanelId::PauseBackground, 0, 0, w, h);
    write.text("Game Over!", w / 2, h - 200, 90, true);
    writeNumber(write.text(w / 2, h - 350, 60, true), "You shattered ", state.points, " cubes");
    write.text("Press [Q] to quit", w / 2, h - 600, 40, true);
    if (state.replay)
        write.text("That was a replay", w / 2, h - 430, 40, true);
    else if (state.newBest)
        write.text("New best!", w / 2, h - 430, 40, true);
    else
        writeNumber(write.text(w / 2, h - 430, 40, true), "Best: ", state.best);
    if (!state.canPlayAgain)
        return;
    write.text("Press [R] to play again", w / 2, h - 680, 40, true);
    if (state.bestRunSaved)
        write.text("Press [B] to watch the best run", w / 2, h - 520, 40, true);
}

OptionsRowPlace optionsRowPlace(int row, int width, int height)
{
    // The text shrinks with a low window, so every row fits from 600 pixels up.
    const int size = std::clamp(height / 32, 12, 24);
    const int step = size * 3 / 2;
    const int top = height - 5 * size;
    OptionsRowPlace place{};
    place.size = size;
    if (row < OptionsMenu::kSettingRows) {
        place.labelX = width * 6 / 100;
        place.valueX = width * 34 / 100;
        place.y = top - row * step;
    } else if (row < OptionsMenu::Back) {
        place.labelX = width * 53 / 100;
        place.valueX = width * 80 / 100;
        place.y = top - (row - OptionsMenu::FirstKey) * step;
    } else {
        place.labelX = width / 2 - 2 * size;
        place.valueX = place.labelX;
        place.y = top - (kActionCount + 1) * step;
    }
    place.left = place.labelX - size;
    place.right = place.valueX + 6 * size;
    return place;
}

int optionsRowAt(float x, float y, int width, int height)
{
    for (int row = 0; row < OptionsMenu::RowCount; ++row) {
        const OptionsRowPlace place = optionsRowPlace(row, width, height);
        if (x >= static_cast<float>(place.left) && x < static_cast<float>(place.right) &&
            y >= static_cast<float>(place.y) && y < static_cast<float>(place.y + place.size))
            return row;
    }
    return -1;
}

void optionsScreenItems(const OptionsMenu& menu, int width, int height, std::vector<ScreenItem>& items)
{
    ItemWriter write(items);
    write.panel(PanelId::PauseBackground, 0, 0, width, height);
    const int size = optionsRowPlace(0, width, height).size;
    write.text("Options", width / 2, height - 3 * size, 2 * size, true);
    for (int row = 0; row < OptionsMenu::RowCount; ++row) {
        const OptionsRowPlace place = optionsRowPlace(row, width, height);
        if (row == menu.chosen())
            write.text(">", place.labelX - size, place.y, place.size, false);
        write.text(place.labelX, place.y, place.size, false).assign(menu.label(row));
        if (row != OptionsMenu::Back)
            write.text(place.valueX, place.y, place.size, false).assign(menu.value(row));
    }
    if (!menu.message().empty())
        write.text(width / 2, size, size, true).assign(menu.message());
}

std::vector<ScreenItem> hudItems(const ScreenState& state)
{
    return collect(state, [](const ScreenState& s, std::vector<ScreenItem>& items) { hudItems(s, items); });
}

std::vector<ScreenItem> pauseScreenItems(const ScreenState& state)
{
    return collect(state, [](const ScreenState& s, std::vector<ScreenItem>& items) { pauseScreenItems(s, items); });
}

std::vector<ScreenItem> gameOverScreenItems(const ScreenState& state)
{
    return collect(state, [](const ScreenState& s, std::vector<ScreenItem>& items) { gameOverScreenItems(s, items); });
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
