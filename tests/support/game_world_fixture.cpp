#include "game_world_fixture.h"

#include <cstdlib>
#include <set>

#include "app_state.h"
#include "cube.h"

void GameWorldTest::SetUp()
{
    GlTest::SetUp();
    testing::internal::CaptureStdout(); // the shaders' "Read shader" lines
    if (unitCubeData.positions.empty())
        prepareProgramData();
    cubeRandom.seed(1234);
    std::srand(1); // the C generator as it is at program start: the first powerup is the same
    points = 0;
    clockTicks = 0;
    lastDropTicks = clockTicks;
    physics = std::make_unique<PhysicsWorld>(btVector3(0.0f, -9.81f, 0.0f));
    resources = loadSceneResources();
    world = std::make_unique<GameWorld>(
        *physics, WorldMaterials{resources.wallsMaterial, resources.proceduralMaterial, resources.woodMaterial},
        1280.0f / 768.0f);
    testing::internal::GetCapturedStdout();
}

void GameWorldTest::TearDown()
{
    world.reset();
    resources.release();
    physics.reset();
}

RuleEvents GameWorldTest::frame(float dt, const PlayerInput& input, bool dropAll)
{
    clockTicks += static_cast<std::int64_t>(dt * 1e7);
    world->runningStep(input, dt);
    world->updateCubes(false, dropAll, dt, clockTicks);
    return world->applyRules();
}

void GameWorldTest::play(float seconds, float dt)
{
    for (float t = 0.0f; t < seconds; t += dt)
        frame(dt);
}

int GameWorldTest::strayBodies() const
{
    std::set<const btCollisionObject*> known{&world->player().bodySensor(), &world->player().feetSensor(),
                                             &world->player().sweepSensor(), &world->fallSensor()};
    for (const RigidBody& platform : world->platforms().bodies())
        known.insert(platform.body.get());
    for (const std::unique_ptr<Cube>& cube : cubes) {
        known.insert(cube->body());
        if (cube->supported())
            known.insert(cube->support());
    }
    int stray = 0;
    const btCollisionObjectArray& objects = physics->dynamicsWorld->getCollisionObjectArray();
    for (int i = 0; i < objects.size(); ++i)
        stray += known.count(objects[i]) == 0 ? 1 : 0;
    return stray + static_cast<int>(known.size()) - objects.size();
}
