#include "screens.h"

#include "app_state.h"
#include "game_world.h"
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

std::vector<ScreenItem> hudItems(const ScreenState& state)
{
    const int w = state.width;
    const int h = state.height;
    std::vector<ScreenItem> items{
        PanelItem{PanelId::BluePanel, 40, h - 110, 200, 90},
        TextItem{"Blocks dropped:", 50, h - 45, 25, false},
        TextItem{std::to_string(state.points), 50, h - 100, 60, false},
        PanelItem{PanelId::GlassCorner, w - 200, h - 90, 210, 50},
        TextItem{"[ESC] Pause", w - 180, h - 75, 30, false},
    };
    if (state.activeKind == PowerupKind::DoublePoints)
        items.push_back(TextItem{"Double Points!", w / 2, h - 80, 50, true});
    if (state.activeKind == PowerupKind::Glide)
        items.push_back(TextItem{"Gliding enabled!", w / 2, h - 80, 50, true});
    if (state.shifting)
        items.push_back(TextItem{"Shifting Cubes!", w / 2, 80, 50, true});
    return items;
}

std::vector<ScreenItem> pauseScreenItems(const ScreenState& state)
{
    const int w = state.width;
    const int h = state.height;
    return {
        PanelItem{PanelId::PauseBackground, 0, 0, w, h},
        TextItem{"Paused", w / 2, h - 200, 90, true},
        TextItem{"Current points: " + std::to_string(state.points), w / 2, h - 350, 60, true},
        TextItem{"Press [ESC] to resume", w / 2, h - 600, 40, true},
        TextItem{"Press [Q] to quit", w / 2, h - 680, 40, true},
        TextItem{"[F1] Toggle wireframe", 30, h - 80, 20, false},
        TextItem{"[F2] Toggle backface culling", 30, h - 120, 20, false},
        TextItem{"[N] Show Normals", 30, h - 160, 20, false},
        TextItem{"[T] Show tex coordinates", 30, h - 200, 20, false},
    };
}

std::vector<ScreenItem> gameOverScreenItems(const ScreenState& state)
{
    const int w = state.width;
    const int h = state.height;
    return {
        PanelItem{PanelId::PauseBackground, 0, 0, w, h},
        TextItem{"Game Over!", w / 2, h - 200, 90, true},
        TextItem{"You shattered " + std::to_string(state.points) + " cubes", w / 2, h - 350, 60, true},
        TextItem{"Press [Q] to quit", w / 2, h - 600, 40, true},
    };
}

void drawScreenItems(const std::vector<ScreenItem>& items, const HudPanels& panels, int width, int height)
{
    for (const ScreenItem& item : items) {
        if (const PanelItem* panel = std::get_if<PanelItem>(&item))
            panelOf(panels, panel->panel).draw(panel->x, panel->y, panel->width, panel->height, width, height);
        else if (const TextItem* text = std::get_if<TextItem>(&item))
            drawText(text->text, text->x, text->y, text->size, width, height, text->centered);
    }
}
