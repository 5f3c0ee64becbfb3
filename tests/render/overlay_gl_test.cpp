#include <gtest/gtest.h>

#include "gl_context.h"
#include "hud_panel.h"
#include "particles.h"
#include "text.h"

TEST(TextVertices, SixVerticesAGlyphWithTheAtlasCellOfEachByte)
{
    const TextVertices a = buildTextVertices("A", 10, 20, 40, false);
    ASSERT_EQ(a.positions.size(), 6u);
    EXPECT_EQ(a.positions[0], glm::vec2(10, 60)); // left, top
    EXPECT_EQ(a.positions[1], glm::vec2(10, 20)); // left, bottom
    EXPECT_FLOAT_EQ(a.positions[2].x, 34.0f);     // 0.6 x size wide
    EXPECT_FLOAT_EQ(a.uvs[0].x, 0.0625f);
    EXPECT_FLOAT_EQ(a.uvs[0].y, 0.25f);
    EXPECT_FLOAT_EQ(a.uvs[3].x, 0.1125f);
    EXPECT_FLOAT_EQ(a.uvs[3].y, 0.3125f);

    const TextVertices two = buildTextVertices("AB", 0, 0, 10, false);
    EXPECT_FLOAT_EQ(two.positions[6].x, 5.0f); // the next glyph starts half a size on
    EXPECT_TRUE(buildTextVertices("", 0, 0, 10, false).positions.empty());
}

TEST(TextVertices, CentredTextStartsHalfItsAdvanceLeft)
{
    EXPECT_FLOAT_EQ(buildTextVertices("Paused", 400, 0, 40, true).positions[0].x, 340.0f);
    EXPECT_FLOAT_EQ(buildTextVertices("Blocks", 401, 0, 25, true).positions[0].x, 363.0f); // 363.5 truncated
    EXPECT_FLOAT_EQ(buildTextVertices("12345", 100, 0, 20, true).positions[0].x, 80.0f);   // n / 2 = 2
}

TEST(TextVertices, BytesAbove127UseTheirUnsignedCell)
{
    const TextVertices high = buildTextVertices(std::string(1, static_cast<char>(200)), 0, 0, 10, false);
    EXPECT_FLOAT_EQ(high.uvs[0].x, 8 * 0.0625f);
    EXPECT_FLOAT_EQ(high.uvs[0].y, 12 * 0.0625f);
}

TEST(PanelVertices, OneQuadWithTheImageTopAtTheTop)
{
    const HudPanel::Vertices quad = HudPanel::vertices(0, 0, 200, 100);
    const std::array<glm::vec2, 6> positions{{{0, 100}, {0, 0}, {200, 100}, {200, 0}, {200, 100}, {0, 0}}};
    const std::array<glm::vec2, 6> uvs{{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {1, 0}, {0, 1}}};
    EXPECT_EQ(quad.positions, positions);
    EXPECT_EQ(quad.uvs, uvs);
}

namespace {

using Overlay = GlTest;

// Quietly: loading prints a line per shader file.
std::unique_ptr<ParticleEmitter> emitter(float spawnRate, float lifetime = 5.0f)
{
    testing::internal::CaptureStdout();
    auto result =
        std::make_unique<ParticleEmitter>("assets/textures/star_particle.dds", glm::vec3(0.0f), lifetime, 1.6f, 2.0f,
                                          spawnRate, 2.0f, 32, 128, 256, glm::vec3(0.0f, 5.0f, 0.0f));
    testing::internal::GetCapturedStdout();
    return result;
}

} // namespace

TEST_F(Overlay, TextAndPanelsDrawInTheWindowAndLeaveBlendingOff)
{
    constexpr int kWidth = 200;
    constexpr int kHeight = 100;
    OffscreenTarget target(kWidth, kHeight);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);

    testing::internal::CaptureStdout();
    HudPanel panel("assets/textures/metalPanel_blue.dds", "assets/shaders/baseDecal.vert",
                   "assets/shaders/baseDecal.frag");
    initText("assets/textures/Calibri1024_transparent.dds", "assets/shaders/text2d.vert", "assets/shaders/text2d.frag");
    testing::internal::GetCapturedStdout();
    panel.draw(0, 0, 100, 50, kWidth, kHeight);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    const OffscreenTarget::Rgb blue = target.pixel(50, 25);
    EXPECT_GT(blue.b, blue.r + 40);
    EXPECT_EQ(target.pixel(150, 75).b, 0); // outside the panel

    drawText("#####", 100, 50, 40, kWidth, kHeight, false);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    int white = 0;
    for (int x = 100; x < 200; ++x)
        for (int y = 50; y < 90; ++y) {
            const OffscreenTarget::Rgb c = target.pixel(x, y);
            white += (c.r > 200 && c.g > 200 && c.b > 200) ? 1 : 0;
        }
    EXPECT_GT(white, 200);
    releaseText();
    drawText("skipped after release", 0, 0, 40, kWidth, kHeight, false);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Overlay, AnEmitterDrawsNothingBeforeItsFirstUpdate)
{
    initParticleBuffers();
    OffscreenTarget target(32, 32);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    auto fountain = emitter(300.0f);
    EXPECT_EQ(fountain->liveCount(), 0);
    fountain->draw(glm::mat4(1.0f), glm::mat4(1.0f));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(target.pixel(16, 16).r, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    releaseParticleBuffers();
}

TEST_F(Overlay, ParticlesSpawnAtTheirRateCappedAtWhatPointZeroOneSixSecondsWould)
{
    auto fountain = emitter(300.0f);
    EXPECT_EQ(fountain->spawnCount(0.1f), 4);
    EXPECT_EQ(fountain->spawnCount(0.01f), 3);
    EXPECT_EQ(fountain->spawnCount(0.0f), 0);
    // A lower graphics quality spawns a share of them, and the full rate comes back.
    fountain->setDensity(0.25f);
    EXPECT_EQ(fountain->spawnCount(0.1f), 1);
    fountain->setDensity(1.0f);
    EXPECT_EQ(fountain->spawnCount(0.1f), 4);
    fountain->update(0.0f, glm::vec3(0.0f));
    EXPECT_EQ(fountain->liveCount(), 0);

    fountain->update(0.01f, glm::vec3(0.0f));
    EXPECT_EQ(fountain->liveCount(), 3);
    EXPECT_EQ(fountain->firstSearchSlot(), 2);
    // Staged for drawing: x, y, z and size of each live particle.
    const std::vector<float>& staged = fountain->stagedPositions();
    EXPECT_GE(staged[3], 0.1f);
    EXPECT_LT(staged[3], 0.6f);
}

TEST_F(Overlay, ThePoolIsSortedFarToNearWithTheDeadLast)
{
    auto fountain = emitter(300.0f, 0.05f);
    fountain->update(0.016f, glm::vec3(0.0f, 0.0f, 50.0f)); // 4 particles
    fountain->update(0.016f, glm::vec3(0.0f, 0.0f, 50.0f)); // 4 more
    const std::vector<Particle>& pool = fountain->pool();
    EXPECT_EQ(fountain->liveCount(), 8);
    for (size_t i = 1; i < pool.size(); ++i)
        ASSERT_GE(pool[i - 1].distanceToCamera, pool[i].distanceToCamera) << i;
    EXPECT_GT(pool[7].distanceToCamera, 40.0f);
    EXPECT_EQ(pool[8].distanceToCamera, -1.0f);

    // A particle whose life runs out in an update is neither staged nor drawn: all eight older
    // ones end here, and only the four born in this update remain.
    fountain->update(0.04f, glm::vec3(0.0f, 0.0f, 50.0f));
    EXPECT_EQ(fountain->liveCount(), 4);
}

TEST_F(Overlay, AFullPoolReusesSlotZero)
{
    auto fountain = emitter(1.0e6f, 100.0f); // 16000 a frame: more than the pool holds
    fountain->update(0.016f, glm::vec3(0.0f));
    EXPECT_EQ(fountain->liveCount(), ParticleEmitter::kPoolSize);
    EXPECT_EQ(fountain->firstSearchSlot(), ParticleEmitter::kPoolSize - 1);
    fountain->update(0.016f, glm::vec3(0.0f));
    EXPECT_EQ(fountain->liveCount(), ParticleEmitter::kPoolSize);
    EXPECT_EQ(fountain->firstSearchSlot(), ParticleEmitter::kPoolSize - 1);
}

TEST_F(Overlay, FreedSlotsAreFoundFromWhereTheLastSearchEnded)
{
    auto fountain = emitter(300.0f, 0.01f);
    fountain->update(0.016f, glm::vec3(0.0f)); // 4 born, and at once dead: life 0.01 - 0.016
    EXPECT_EQ(fountain->liveCount(), 0);
    EXPECT_EQ(fountain->firstSearchSlot(), 3);
    fountain->update(0.016f, glm::vec3(0.0f));
    // The search starts at slot 3 and takes the free slots from there on.
    EXPECT_EQ(fountain->firstSearchSlot(), 6);
}
