#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "hud_panel.h"
#include "powerup.h"

// The three panels the overlays are built from.
struct HudPanels {
    std::unique_ptr<HudPanel> bluePanel;
    std::unique_ptr<HudPanel> pauseBackground;
    std::unique_ptr<HudPanel> glassCorner;
};

// Loads the panels in the order blue panel, pause background, glass corner.
HudPanels loadHudPanels();

enum class PanelId { BluePanel, PauseBackground, GlassCorner };

// A panel with its bottom-left corner at (x, y), in window pixels from the bottom-left.
struct PanelItem {
    PanelId panel;
    int x, y, width, height;
};

// A line of text whose glyphs span y to y + size; centred about x or starting at x.
struct TextItem {
    std::string text;
    int x, y, size;
    bool centered;
};

using ScreenItem = std::variant<PanelItem, TextItem>;

// What the overlays show, read fresh every frame.
struct ScreenState {
    int width = 0;
    int height = 0;
    std::int32_t points = 0;
    PowerupKind activeKind = PowerupKind::None;
    bool shifting = false;
    std::int32_t best = 0;     // the best score, this run's included once it has ended
    bool newBest = false;      // the run that ended beat the best before it
    bool replay = false;       // a recorded run is shown
    bool canPlayAgain = true;  // R and B are offered on the game-over screen
    bool bestRunSaved = false; // there is a best run for B to show
};

class GameWorld;
class OptionsMenu;

// The overlays' values from the running world, for a window of the given size.
ScreenState screenStateOf(const GameWorld& world, int width, int height);

// The in-game HUD: the score, the pause hint, the powerup and shifting messages, and whether it
// is a replay.
std::vector<ScreenItem> hudItems(const ScreenState& state);
// The pause screen: the score, how to resume or quit, and the help for the render keys.
std::vector<ScreenItem> pauseScreenItems(const ScreenState& state);
// The game-over screen: the final score, the best score, and how to quit, play again or watch
// the best run.
std::vector<ScreenItem> gameOverScreenItems(const ScreenState& state);

// The same, written over the items of `items`: drawn every frame, a screen then allocates nothing
// once its items (and their texts) have reached their sizes.
void hudItems(const ScreenState& state, std::vector<ScreenItem>& items);
void pauseScreenItems(const ScreenState& state, std::vector<ScreenItem>& items);
void gameOverScreenItems(const ScreenState& state, std::vector<ScreenItem>& items);

// Where a row of the options screen stands in a window of that size: the left edges of its
// label and value, their bottom, the text size, and the span of x a click on it falls in.
struct OptionsRowPlace {
    int labelX, valueX, y, size;
    int left, right;
};
OptionsRowPlace optionsRowPlace(int row, int width, int height);
// The row under a point of the window (pixels from the bottom left), or -1.
int optionsRowAt(float x, float y, int width, int height);

// The options screen: its title, every row with its value, the chosen one marked, and what the
// last change said.
void optionsScreenItems(const OptionsMenu& menu, int width, int height, std::vector<ScreenItem>& items);

void drawScreenItems(const std::vector<ScreenItem>& items, const HudPanels& panels, int width, int height);
