#include <gtest/gtest.h>

#include "game_tree.h"
#include "ocr.h"
#include "run_screen.h"

namespace fs = std::filesystem;

// The first frame's HUD, read back from the headless screenshot the way a player reads it.
TEST(Screens, TheHudOfTheFirstFrameIsLegible)
{
    GameTree tree;
    const ProcessResult result = tree.run({"--run_headless", "--seed", "326", "--filename", "hud"});
    ASSERT_EQ(result.exitCode, 0) << result.out;
    expectLegible(tree.path("hud.ppm"), hudItems(windowState(0)));
}
