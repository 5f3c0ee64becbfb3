#include <gtest/gtest.h>

#include "game_over_screen.h"
#include "game_world_fixture.h"
#include "pause_screen.h"
#include "run_screen.h"

namespace {

std::vector<std::string> texts(const std::vector<ScreenItem>& items)
{
    std::vector<std::string> result;
    for (const ScreenItem& item : items)
        if (const TextItem* text = std::get_if<TextItem>(&item))
            result.push_back(text->text);
    return result;
}

const TextItem& textItem(const std::vector<ScreenItem>& items, const std::string& text)
{
    for (const ScreenItem& item : items)
        if (const TextItem* t = std::get_if<TextItem>(&item); t && t->text == text)
            return *t;
    throw std::runtime_error("no item " + text);
}

bool operator==(const TextItem& a, const TextItem& b)
{
    return a.text == b.text && a.x == b.x && a.y == b.y && a.size == b.size && a.centered == b.centered;
}

ScreenState state(std::int32_t points, PowerupKind kind, bool shifting)
{
    ScreenState s;
    s.width = 1280;
    s.height = 768;
    s.points = points;
    s.activeKind = kind;
    s.shifting = shifting;
    return s;
}

} // namespace

TEST(Hud, ShowsTheScoreOnItsPanelAndThePauseHint)
{
    const std::vector<ScreenItem> items = hudItems(state(42, PowerupKind::None, false));
    ASSERT_EQ(items.size(), 5u);
    const PanelItem& blue = std::get<PanelItem>(items[0]);
    EXPECT_EQ(blue.panel, PanelId::BluePanel);
    EXPECT_EQ(std::make_tuple(blue.x, blue.y, blue.width, blue.height), std::make_tuple(40, 658, 200, 90));
    EXPECT_TRUE(std::get<TextItem>(items[1]) == (TextItem{"Blocks dropped:", 50, 723, 25, false}));
    EXPECT_TRUE(std::get<TextItem>(items[2]) == (TextItem{"42", 50, 668, 60, false}));
    const PanelItem& glass = std::get<PanelItem>(items[3]);
    EXPECT_EQ(std::make_tuple(glass.panel, glass.x, glass.y, glass.width, glass.height),
              std::make_tuple(PanelId::GlassCorner, 1080, 678, 210, 50));
    EXPECT_TRUE(std::get<TextItem>(items[4]) == (TextItem{"[ESC] Pause", 1100, 693, 30, false}));
}

TEST(Hud, NamesThePowerupInForceAndTheShiftingCubes)
{
    EXPECT_TRUE(textItem(hudItems(state(0, PowerupKind::DoublePoints, false)), "Double Points!") ==
                (TextItem{"Double Points!", 640, 688, 50, true}));
    EXPECT_TRUE(textItem(hudItems(state(0, PowerupKind::Glide, true)), "Gliding enabled!") ==
                (TextItem{"Gliding enabled!", 640, 688, 50, true}));
    EXPECT_TRUE(textItem(hudItems(state(0, PowerupKind::None, true)), "Shifting Cubes!") ==
                (TextItem{"Shifting Cubes!", 640, 80, 50, true}));
    EXPECT_EQ(texts(hudItems(state(-3, PowerupKind::None, false)))[1], "-3");
}

TEST(PauseScreen, ListsTheScoreTheWayOutAndTheRenderKeys)
{
    const std::vector<ScreenItem> items = pauseScreenItems(state(0, PowerupKind::Glide, true));
    const PanelItem& background = std::get<PanelItem>(items[0]);
    EXPECT_EQ(std::make_tuple(background.panel, background.x, background.y, background.width, background.height),
              std::make_tuple(PanelId::PauseBackground, 0, 0, 1280, 768));
    EXPECT_EQ(texts(items),
              (std::vector<std::string>{"Paused", "Current points: 0", "Press [ESC] to resume", "Press [Q] to quit",
                                        "[O] Options", "[F1] Toggle wireframe", "[F2] Toggle backface culling",
                                        "[N] Show Normals", "[T] Show tex coordinates"}));
    EXPECT_TRUE(textItem(items, "Press [Q] to quit") == (TextItem{"Press [Q] to quit", 640, 88, 40, true}));
    EXPECT_TRUE(textItem(items, "Press [ESC] to resume") == (TextItem{"Press [ESC] to resume", 640, 168, 40, true}));
    EXPECT_TRUE(textItem(items, "[T] Show tex coordinates") ==
                (TextItem{"[T] Show tex coordinates", 30, 568, 20, false}));
}

TEST(GameOverScreen, ShowsTheFinalAndTheBestScoreAndTheWaysOn)
{
    ScreenState over = state(17, PowerupKind::None, false);
    over.best = 40;
    std::vector<ScreenItem> items = gameOverScreenItems(over);
    EXPECT_EQ(std::get<PanelItem>(items[0]).panel, PanelId::PauseBackground);
    EXPECT_EQ(texts(items), (std::vector<std::string>{"Game Over!", "You shattered 17 cubes", "Press [Q] to quit",
                                                      "Best: 40", "Press [R] to play again"}));
    EXPECT_TRUE(textItem(items, "Game Over!") == (TextItem{"Game Over!", 640, 568, 90, true}));
    EXPECT_TRUE(textItem(items, "Best: 40") == (TextItem{"Best: 40", 640, 338, 40, true}));
    EXPECT_TRUE(textItem(items, "Press [R] to play again") == (TextItem{"Press [R] to play again", 640, 88, 40, true}));

    over.newBest = true;
    gameOverScreenItems(over, items);
    EXPECT_TRUE(textItem(items, "New best!") == (TextItem{"New best!", 640, 338, 40, true}));
}

// The HUD reads what it shows from a run's world.
using HudOfARun = GameWorldTest;

TEST_F(HudOfARun, NamesTheCollectedPowerupAndTheShiftingCubes)
{
    const auto hudTexts = [&] {
        std::vector<std::string> texts;
        for (const ScreenItem& item : hudItems(screenStateOf(*world, 1280, 768)))
            if (const TextItem* text = std::get_if<TextItem>(&item))
                texts.push_back(text->text);
        return texts;
    };
    EXPECT_EQ(hudTexts().size(), 3u);
    camera().position = glm::vec3(0.0f, 0.0f, -100.5f);
    world->applyRules(); // the first extension: shifting on
    world->applyRules(); // and the first powerup collected
    const std::vector<std::string> texts = hudTexts();
    EXPECT_EQ(texts[3], world->activeKind == PowerupKind::DoublePoints ? "Double Points!" : "Gliding enabled!");
    EXPECT_EQ(texts[4], "Shifting Cubes!");
}
