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
    bool sized = false; // laid out for the text size already, by the screen that wrote it
};

// A line of text whose glyphs span y to y + size; centred about x or starting at x.
struct TextItem {
    std::string text;
    int x, y, size;
    bool centered;
    bool sized = false; // laid out for the text size already, by the screen that wrote it
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
    bool offersMenu = false;   // Escape or E goes back to the title
    int rank = 0;              // where the run that ended placed among the best, or 0
    std::string daily;         // how a daily run that ended placed among the day's
    bool practice = false;     // the run that ended was played on from a recording
    // The ghost racing beside the run, if any: its points, and whether its run has ended.
    bool ghost = false;
    std::int32_t ghostPoints = 0;
    bool ghostEnded = false;
    bool ghostFell = false;
};

// Writes a screen's items over those already in a list, reusing their storage: drawn every frame,
// a screen then allocates nothing once its items (and their texts) have reached their sizes.
class ItemWriter {
public:
    explicit ItemWriter(std::vector<ScreenItem>& list) : items(list) {}
    // Writes after the first `kept` items, which stay as they are.
    ItemWriter(std::vector<ScreenItem>& list, size_t kept) : items(list), count(kept) {}
    ~ItemWriter() { items.resize(count); }
    ItemWriter(const ItemWriter&) = delete;
    ItemWriter& operator=(const ItemWriter&) = delete;

    void panel(PanelId panel, int x, int y, int width, int height)
    {
        next() = PanelItem{panel, x, y, width, height, sizing};
    }
    // The items written from here on are laid out for the text size by the screen itself.
    void laidOutForTextSize() { sizing = true; }

    // The text item to fill in; its text is the caller's to write.
    std::string& text(int x, int y, int size, bool centered);
    void text(const char* words, int x, int y, int size, bool centered) { text(x, y, size, centered).assign(words); }

private:
    ScreenItem& next();

    std::vector<ScreenItem>& items;
    size_t count = 0;
    bool sizing = false;
};

// `words` followed by the number and `after`, in the item's own storage.
void writeNumber(std::string& text, const char* words, std::int32_t number, const char* after = "");

// The items that a screen writes over `items`, as a new list.
template <typename Build> std::vector<ScreenItem> collectItems(const ScreenState& state, Build build)
{
    std::vector<ScreenItem> items;
    build(state, items);
    return items;
}

// A short notice at the top of the window, over every screen, after the items already there.
void noticeItems(const std::string& notice, int width, int height, std::vector<ScreenItem>& items);

void drawScreenItems(const std::vector<ScreenItem>& items, const HudPanels& panels, int width, int height);
