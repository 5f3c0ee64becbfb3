#include <gtest/gtest.h>

#include "allocation_counter.h"
#include "gl_context.h"
#include "lighting.h"
#include "particles.h"
#include "run.h"
#include "run_screen.h"
#include "scene_resources.h"
#include "shader.h"
#include "text.h"
#include "track_drawer.h"

using RunningFrame = GlTest;

// Once the game runs, a frame allocates nothing: the world's ticks, the scene's draws, the
// particles and the HUD all reuse what they built in the frames before.
TEST_F(RunningFrame, AllocatesNothing)
{
    OffscreenTarget target(320, 200);
    testing::internal::CaptureStdout();
    if (unitCubeData.positions.empty())
        prepareProgramData();
    SceneResources resources = loadSceneResources();
    loadPowerupModels(resources);
    ::Run run(1234, 320.0f / 200.0f);
    GameWorld& world = run.world();
    Camera& camera = world.player().camera;
    TrackDrawer drawer(resources);
    initParticleBuffers();
    initText("assets/textures/Calibri1024_transparent.dds", "assets/shaders/text2d.vert", "assets/shaders/text2d.frag");
    HudPanels panels = loadHudPanels();
    ParticleEmitter fountain("assets/textures/star_particle.dds", glm::vec3(0, 0, -10), 5.0f, 1.6f, 2.0f, 300.0f, 2.0f,
                             32, 128, 256, glm::vec3(0, 5, 0));
    testing::internal::GetCapturedStdout();
    const DirectionalLight light(glm::vec3(1.0f, 0.8f, 0.8f), glm::vec3(-1.0f, -2.0f, 0.0f), true);
    std::vector<ScreenItem> items;

    const auto runFrame = [&] {
        const float dt = 1.0f / 60.0f;
        // Flying low over the start field: cubes are touched, drop and are swept, but the
        // track does not grow (which builds a new segment, and allocates, once in a while).
        camera.position.y = 0.0f;
        world.player().verticalSpeed = 0.0f;
        world.tick(TickInput{});
        const glm::mat4 viewProjection = camera.viewProjection();
        setPerFrameUniforms(*resources.textureShader, camera.position, viewProjection, light, 320, 200, {});
        setPerFrameUniforms(*resources.procTextureShader, camera.position, viewProjection, light, 320, 200, {});
        drawer.draw(world, camera.position, 0.5f, dt, true);
        fountain.update(dt, camera.position);
        fountain.draw(camera.view(), viewProjection);
        hudItems(screenStateOf(world, 320, 200), items);
        drawScreenItems(items, panels, 320, 200);
    };

    for (int i = 0; i < 120; ++i)
        runFrame();
    const long before = allocationCount();
    for (int i = 0; i < 240; ++i)
        runFrame();
    const long allocations = allocationCount() - before;
    EXPECT_EQ(allocations, 0);
    EXPECT_GT(world.points, 0);           // the frames did real work
    EXPECT_LT(camera.position.z, -10.0f); // and the player ran on
    EXPECT_GT(camera.position.z, -85.0f);

    releaseText();
    releaseParticleBuffers();
    resources.release();
}
