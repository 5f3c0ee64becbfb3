#include "run.h"

Run::Run(std::uint32_t seed, float aspectRatio) : Run(std::make_unique<PhysicsWorld>(), seed, aspectRatio)
{
}

Run::Run(std::unique_ptr<PhysicsWorld> physics, std::uint32_t seed, float aspectRatio)
    : trackSeed(seed), physicsWorld(std::move(physics)),
      gameWorld(std::make_unique<GameWorld>(*physicsWorld, seed, aspectRatio))
{
}
