#include <gtest/gtest.h>

#include "game_tree.h"
#include "ppm.h"

namespace {

PpmImage headlessShot(const GameTree& tree, const std::string& seed, const std::string& name)
{
    const ProcessResult result = tree.run({"--run_headless", "--filename", name, "--seed", seed});
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    PpmImage image;
    std::string error;
    EXPECT_TRUE(readPpm(tree.path(name + ".ppm"), image, error)) << error;
    return image;
}

const PpmImage::Rgb kSky{255, 204, 255};

} // namespace

TEST(Track, TheFirstFrameShowsTheCubesBelowTheHorizon)
{
    GameTree tree;
    const PpmImage image = headlessShot(tree, "7", "first");
    ASSERT_EQ(image.height, 768);
    int skyAbove = 0;
    int skyBelow = 0;
    for (int x = 0; x < image.width; ++x) {
        for (int y = 150; y < 300; ++y)  // between the HUD and the horizon
            skyAbove += image.at(x, y) == kSky ? 1 : 0;
        for (int y = 700; y < image.height; ++y)
            skyBelow += image.at(x, y) == kSky ? 1 : 0;
    }
    EXPECT_EQ(skyAbove, image.width * 150);
    // The first rows are full: nothing of the sky shows through at the bottom of the frame.
    EXPECT_EQ(skyBelow, 0);
}

TEST(Track, TheSameSeedGivesTheSameTrackAndAnotherSeedAnother)
{
    GameTree tree;
    const PpmImage first = headlessShot(tree, "7", "a");
    const PpmImage again = headlessShot(tree, "7", "b");
    const PpmImage other = headlessShot(tree, "8", "c");
    EXPECT_TRUE(first.rgb == again.rgb);
    EXPECT_FALSE(first.rgb == other.rgb);
}
