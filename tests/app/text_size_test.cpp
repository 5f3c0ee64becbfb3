#include <gtest/gtest.h>

#include "game_over_screen.h"
#include "high_scores_screen.h"
#include "options_menu.h"
#include "options_screen.h"
#include "pause_screen.h"
#include "replay_bar.h"
#include "run_screen.h"
#include "text_size.h"
#include "title_screen.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;

ScreenState fullState()
{
    ScreenState state;
    state.width = kWidth;
    state.height = kHeight;
    state.points = 1234;
    state.activeKind = PowerupKind::DoublePoints;
    state.shifting = true;
    state.best = 4321;
    state.replay = false;
    state.bestRunSaved = true;
    state.offersMenu = true;
    state.rank = 3;
    state.daily = "Daily run 2026-12-10: best 400 after 12 runs";
    state.ghost = true;
    state.ghostPoints = 1200;
    return state;
}

// Every screen as full as it gets, as the player sees it at the window's size.
std::map<std::string, std::vector<ScreenItem>> everyScreen(int percent)
{
    std::map<std::string, std::vector<ScreenItem>> screens;
    const ScreenState state = fullState();
    hudItems(state, screens["hud"]);
    ScreenState replay = state;
    replay.replay = true;
    hudItems(replay, screens["viewer"]);
    replayBarItems(ReplayBar{kWidth, 3000, 10800, 512, true, "1/4x", percent}, screens["viewer"]);
    pauseScreenItems(state, screens["pause"]);
    gameOverScreenItems(state, screens["game over"]);
    ScreenState title = state;
    title.daily = "2026-12-10";
    titleScreenItems(title, 2, screens["title"]);
    const OptionsMenu menu(PlayerOptions{}, 4);
    optionsScreenItems(menu, kWidth, kHeight, screens["options"]);
    ScoreTable table;
    std::vector<ScoreRow> fallen;
    for (int i = 0; i < 10; ++i)
        table.add(ScoreRow{10000 - i, 123456u, "2026-12-10", 4000000000u, "run-1.replay"}, fallen);
    highScoresScreenItems(table, PlayerRecord{1234, 56789, 9876543, 54321}, 4, "", kWidth, kHeight, screens["scores"]);
    return screens;
}

std::vector<TextItem> textsOf(const std::vector<ScreenItem>& items)
{
    std::vector<TextItem> texts;
    for (const ScreenItem& item : items)
        if (const TextItem* text = std::get_if<TextItem>(&item); text && !text->text.empty())
            texts.push_back(*text);
    return texts;
}

} // namespace

// At 125 and 150 % every line of every screen is inside a 1280 x 720 window and clear of every
// other, larger than it was; and a pointer on a grown line points at that line as written.
TEST(TextSize, EveryLineGrowsInsideTheWindowAndClearOfTheOthers)
{
    for (int percent : {125, 150}) {
        for (const auto& [name, written] : everyScreen(percent)) {
            std::vector<ScreenItem> shown = written;
            applyTextSize(shown, percent, kWidth, kHeight);
            ASSERT_EQ(shown.size(), written.size());
            const std::vector<TextItem> before = textsOf(written);
            const std::vector<TextItem> texts = textsOf(shown);
            for (size_t i = 0; i < texts.size(); ++i) {
                const TextBox ink = inkOf(texts[i]);
                SCOPED_TRACE(name + " at " + std::to_string(percent) + " %: '" + texts[i].text + "'");
                EXPECT_GE(ink.left, 0.0f);
                EXPECT_LE(ink.right, static_cast<float>(kWidth));
                EXPECT_GE(ink.bottom, 0.0f);
                EXPECT_LE(ink.top, static_cast<float>(kHeight));
                if (!texts[i].sized) {
                    EXPECT_GT(texts[i].size, before[i].size);
                }
                for (size_t j = i + 1; j < texts.size(); ++j) {
                    const TextBox other = inkOf(texts[j]);
                    EXPECT_FALSE(ink.left < other.right && other.left < ink.right && ink.bottom < other.top &&
                                 other.bottom < ink.top)
                        << "overlaps '" << texts[j].text << "'";
                }
                float x = (ink.left + ink.right) / 2.0f;
                float y = static_cast<float>(texts[i].y) + static_cast<float>(texts[i].size) / 2.0f;
                pointedBeforeTextSize(written, shown, x, y);
                const TextBox was = inkOf(before[i]);
                EXPECT_TRUE(x >= was.left && x < was.right && y >= static_cast<float>(before[i].y) &&
                            y < static_cast<float>(before[i].y + before[i].size))
                    << "the pointer went to " << x << ", " << y;
            }
        }
    }
}

// The bar's track moves over for its larger clock, and a click on it still finds its moment.
TEST(TextSize, TheReplayBarsTrackTakesTheClicksWhereItIsDrawn)
{
    const ReplayBar bar{kWidth, 0, 1000, 0, false, "1x", 150};
    std::vector<ScreenItem> items;
    replayBarItems(bar, items);
    const PanelItem& track = std::get<PanelItem>(items[3]);
    EXPECT_GT(track.x, inkOf(std::get<TextItem>(items[2])).right) << "the clock runs into the track";
    const float middle = static_cast<float>(track.x) + static_cast<float>(track.width) / 2.0f;
    EXPECT_EQ(replayBarTickAt(bar, middle, 20.0f), 500u);
    EXPECT_EQ(replayBarTickAt(bar, middle, 120.0f), std::nullopt) << "above the bar";
}
