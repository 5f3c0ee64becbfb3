#pragma once

#include <memory>

#include "game_world.h"
#include "physics_world.h"

// A whole game world (a real Bullet world, no window) for playing tick by tick. The track is
// generated from a fixed seed, so every run plays the same game.
class GameWorldTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // One tick, the player standing still unless `input` says otherwise.
    TickEvents tick(TickInput input = standing());
    // Ticks of `input` until `seconds` of game time have passed.
    void play(float seconds, const TickInput& input = standing());

    // An input that holds the player where it stands: no key, no run.
    static TickInput standing();
    // The default input: the player runs on at its own speed.
    static TickInput running() { return TickInput{}; }

    Player& player() { return world->player(); }
    Camera& camera() { return world->player().camera; }

    // Collision objects in the world that belong to nothing the game still holds.
    int strayBodies() const;

    std::unique_ptr<PhysicsWorld> physics;
    std::unique_ptr<GameWorld> world;
};
