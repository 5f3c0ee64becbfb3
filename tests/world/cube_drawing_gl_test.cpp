#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "cube.h"
#include "game_world_fixture.h"
#include "lighting.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 384;

// The start track as the game's first frame sees it, read back as RGBA rows.
std::vector<unsigned char> drawStartTrack(const Camera& camera, Shader& textureShader, bool hideBackFaces)
{
    const DirectionalLight light(glm::vec3(1.0f, 0.8f, 0.8f), glm::vec3(-1.0f, -2.0f, 0.0f), true);
    setPerFrameUniforms(textureShader, camera.position, camera.viewProjection(), light, kWidth, kHeight, {});
    glClearColor(1.0f, 0.8f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    drawCubes(camera.position, hideBackFaces);
    std::vector<unsigned char> pixels(static_cast<size_t>(kWidth * kHeight * 4));
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

} // namespace

// Culling the cubes' back faces is only a saving: the picture stays the one the depth test gave.
// Faces wound the wrong way round would vanish here; a pass that left culling on would change F2.
TEST_F(GameWorldTest, HidingTheCubesBackFacesChangesNothingOnScreen)
{
    OffscreenTarget target(kWidth, kHeight);
    glDisable(GL_CULL_FACE);
    const std::vector<unsigned char> allFaces = drawStartTrack(camera(), *resources.textureShader, false);
    const std::vector<unsigned char> frontFaces = drawStartTrack(camera(), *resources.textureShader, true);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));

    int cubePixels = 0;
    int differing = 0;
    for (size_t i = 0; i < allFaces.size(); i += 4) {
        const bool sky = allFaces[i] == 255 && allFaces[i + 1] == 204 && allFaces[i + 2] == 255;
        cubePixels += sky ? 0 : 1;
        differing += std::equal(&allFaces[i], &allFaces[i + 3], &frontFaces[i]) ? 0 : 1;
    }
    EXPECT_GT(cubePixels, kWidth * kHeight / 4);
    // Far off at the horizon the depth buffer cannot part a cube's front from its back, and the
    // back face won the odd pixel there: one in a thousand may differ, no more.
    EXPECT_LE(differing, kWidth * kHeight / 1000) << differing << " pixels differ";
}
