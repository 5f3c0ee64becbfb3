#pragma once

#include <memory>

#include "game_world.h"
#include "gl_context.h"
#include "scene_resources.h"

// A whole game world (real Bullet world, real meshes in a real GL context) for playing frame by
// frame. The track is generated from a fixed seed, so every run plays the same game.
class GameWorldTest : public GlTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // One frame as the game plays it while running: player and physics, cube pass, rules.
    RuleEvents frame(float dt, const PlayerInput& input = {}, bool dropAll = false);

    // Frames of `dt` until `seconds` of game time have passed.
    void play(float seconds, float dt = 1.0f / 60.0f);

    Player& player() { return world->player(); }
    Camera& camera() { return world->player().camera; }

    // Collision objects in the world that belong to nothing the game still holds.
    int strayBodies() const;

    std::unique_ptr<PhysicsWorld> physics;
    SceneResources resources;
    std::unique_ptr<GameWorld> world;
    std::int64_t clockTicks = 0; // the simulated wall clock
};
