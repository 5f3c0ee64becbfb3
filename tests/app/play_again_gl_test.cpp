#include <gtest/gtest.h>

#include <fstream>

#include "app_state.h"
#include "cube.h"
#include "gl_context.h"
#include "run.h"
#include "scene_resources.h"

namespace {

// What a run leaves in the process: bodies in its world, cubes, GL buffers.
struct RunFootprint {
    int collisionObjects;
    size_t cubes;
    int buffers;
    bool operator==(const RunFootprint& other) const
    {
        return collisionObjects == other.collisionObjects && cubes == other.cubes && buffers == other.buffers;
    }
};

int liveGlBuffers()
{
    int live = 0;
    for (GLuint name = 1; name < 20000; ++name)
        live += glIsBuffer(name) ? 1 : 0;
    return live;
}

RunFootprint footprint(Run& run)
{
    return {run.physics().dynamicsWorld->getNumCollisionObjects(), cubes.size(), liveGlBuffers()};
}

long residentKilobytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * 4;
}

// Releases 2 and runs frames until the rules call the game over, as the game's frame loop does.
void playToGameOver(Run& run)
{
    std::int64_t clock = 0;
    for (int frame = 0; frame < 60 * 30; ++frame) {
        constexpr float dt = 1.0f / 60.0f;
        clock += 166667;
        run.world().runningStep({}, dt);
        run.world().updateCubes(false, frame == 0, dt, clock);
        if (run.world().applyRules().gameOver)
            return;
    }
    FAIL() << "the player never fell";
}

} // namespace

class PlayAgain : public GlTest {};

// Game over, R, another run: a hundred times over, and every new run starts from what the first
// one had, with nothing of the runs before it left in the process.
TEST_F(PlayAgain, EveryRunStartsAfreshAndLeavesNothingBehind)
{
    testing::internal::CaptureStdout(); // the loaders' lines
    if (unitCubeData.positions.empty())
        prepareProgramData();
    SceneResources resources = loadSceneResources();
    cubeRandom.seed(77);
    auto run = std::make_unique<::Run>(resources, 1280.0f / 768.0f);
    const RunFootprint start = footprint(*run);
    const PowerupKind firstKind = run->world().placedKind;
    std::vector<long> memory;
    for (int again = 0; again < 100; ++again) {
        playToGameOver(*run);
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_GT(points, 0);
        cubeRandom.seed(77);
        run.reset();
        run = std::make_unique<::Run>(resources, 1280.0f / 768.0f);
        ASSERT_TRUE(footprint(*run) == start) << "run " << again;
        EXPECT_EQ(points, 0);
        EXPECT_EQ(run->world().placedKind, firstKind);
        EXPECT_EQ(run->world().segments.segmentLimit, 90);
        EXPECT_EQ(run->world().player().camera.position, glm::vec3(0.0f));
        memory.push_back(residentKilobytes());
    }
    run.reset();
    resources.release();
    testing::internal::GetCapturedStdout();
    EXPECT_LE(memory.back(), memory[4] + memory[4] / 50) << "from " << memory[4] << " to " << memory.back() << " kB";
}
