#include "run.h"

#include <cstdlib>

#include "app_state.h"
#include "cube.h"
#include "scene_resources.h"

Run::Run(const SceneResources& resources, float aspectRatio)
    : physicsWorld(std::make_unique<PhysicsWorld>(btVector3(0.0f, -9.81f, 0.0f)))
{
    points = 0;
    lastDropTicks = wallClockTicks();
    // The C generator as a fresh program finds it: the first powerup is the one a new game has.
    std::srand(1);
    gameWorld = std::make_unique<GameWorld>(
        *physicsWorld, WorldMaterials{resources.wallsMaterial, resources.proceduralMaterial, resources.woodMaterial},
        aspectRatio);
}
