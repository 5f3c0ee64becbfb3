#pragma once

#include <cstdint>
#include <memory>

#include "game_world.h"
#include "physics_world.h"

// One run of the game, from the start of the track to game over: the physics world and the game
// world built on it, from the run's seed. Playing again builds a new Run; the old one takes
// everything of its run down with it, bodies, cubes and points.
class Run {
public:
    Run(std::uint32_t seed, float aspectRatio);
    // The same on a physics world built beforehand (the game's start builds it early).
    Run(std::unique_ptr<PhysicsWorld> physics, std::uint32_t seed, float aspectRatio);

    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    GameWorld& world() { return *gameWorld; }
    const GameWorld& world() const { return *gameWorld; }
    PhysicsWorld& physics() { return *physicsWorld; }
    std::uint32_t seed() const { return trackSeed; }

private:
    std::uint32_t trackSeed;
    // Declared before the game world, so it outlives it: the world's bodies live in it.
    std::unique_ptr<PhysicsWorld> physicsWorld;
    std::unique_ptr<GameWorld> gameWorld;
};
