#pragma once

#include <memory>

#include "game_world.h"
#include "physics_world.h"

struct SceneResources;

// One run of the game, from the start of the track to game over: the physics world and the game
// world built on it. Playing again builds a new Run; the old one takes everything of its run down
// with it, bodies, cubes and GL objects. It also restarts the program-wide state a run counts on:
// the score, the shifting timer and the C generator that picks the powerups.
class Run {
public:
    Run(const SceneResources& resources, float aspectRatio);

    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    GameWorld& world() { return *gameWorld; }
    const GameWorld& world() const { return *gameWorld; }
    PhysicsWorld& physics() { return *physicsWorld; }

private:
    // Declared first, so it outlives the game world, whose bodies it holds.
    std::unique_ptr<PhysicsWorld> physicsWorld;
    std::unique_ptr<GameWorld> gameWorld;
};
