#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "particles.h"

namespace {

struct Sprite {
    glm::vec3 centre;
    float size;
    std::uint8_t tag; // carried in the red channel, to follow each sprite through
};

// Gathers the sprites a camera at the origin looking down -z sees, and returns their tags.
std::vector<int> visibleTags(const std::vector<Sprite>& sprites)
{
    const glm::mat4 viewProjection =
        glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 100.0f) *
        glm::lookAt(glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, -1.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    std::vector<float> positions;
    std::vector<std::uint8_t> colors;
    for (const Sprite& sprite : sprites) {
        positions.insert(positions.end(), {sprite.centre.x, sprite.centre.y, sprite.centre.z, sprite.size});
        colors.insert(colors.end(), {sprite.tag, 1, 2, 3});
    }
    std::vector<float> visiblePositions(positions.size(), -1.0f);
    std::vector<std::uint8_t> visibleColors(colors.size(), 0);
    const int count = gatherVisibleSprites(viewProjection, positions, colors, static_cast<int>(sprites.size()),
                                           visiblePositions, visibleColors);

    std::vector<int> tags;
    for (int i = 0; i < count; ++i) {
        const size_t at = 4 * static_cast<size_t>(i);
        const Sprite& original = sprites[visibleColors[at]];
        EXPECT_EQ(glm::vec3(visiblePositions[at], visiblePositions[at + 1], visiblePositions[at + 2]),
                  original.centre);
        EXPECT_EQ(visiblePositions[at + 3], original.size);
        EXPECT_EQ(visibleColors[at + 3], 3);
        tags.push_back(visibleColors[at]);
    }
    return tags;
}

} // namespace

// At z = -10 the view reaches about 4.14 to each side.
TEST(ParticleCulling, OnlySpritesWhollyOutOfViewAreLeftOutAndTheOrderIsKept)
{
    const std::vector<Sprite> sprites = {
        {{0.0f, 0.0f, -10.0f}, 0.5f, 0},   // straight ahead
        {{0.0f, 0.0f, 10.0f}, 0.5f, 1},    // behind
        {{5.0f, 0.0f, -10.0f}, 0.5f, 2},   // just off the right edge
        {{5.0f, 0.0f, -10.0f}, 2.0f, 3},   // centre off the edge, but its corner reaches in
        {{0.0f, -5.0f, -10.0f}, 0.5f, 4},  // below the bottom edge
        {{0.0f, 0.0f, -150.0f}, 0.5f, 5},  // beyond the far plane
        {{0.0f, 0.0f, -100.2f}, 1.0f, 6},  // straddling the far plane
        {{-3.0f, 2.0f, -10.0f}, 0.1f, 7},  // inside, towards a corner
    };
    EXPECT_EQ(visibleTags(sprites), (std::vector<int>{0, 3, 6, 7}));
}

TEST(ParticleCulling, NoSpritesGiveNone)
{
    EXPECT_TRUE(visibleTags({}).empty());
}
