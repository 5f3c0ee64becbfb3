#include "run.h"

#include "app_state.h"

Run::Run(std::uint32_t seed, float aspectRatio)
    : Run(std::make_unique<PhysicsWorld>(btVector3(0.0f, -9.81f, 0.0f)), seed, aspectRatio)
{
}

Run::Run(std::unique_ptr<PhysicsWorld> physics, std::uint32_t seed, float aspectRatio)
    : trackSeed(seed), physicsWorld(std::move(physics))
{
    points = 0;
    gameWorld = std::make_unique<GameWorld>(*physicsWorld, seed, aspectRatio);
}
