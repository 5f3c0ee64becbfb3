#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "cube.h"
#include "physics_world.h"
#include "platform.h"
#include "player.h"
#include "powerup.h"

// How far the track has grown and what the next segment will be like.
struct SegmentState {
    std::int32_t densityThreshold = 50;
    std::int32_t segmentLimit = 90;
    float segmentLimitF = 90.0f;
    float dropInterval = 2.0f;
    bool shifting = false;
    bool powerupPending = false;
    float platformZ = 0.0f;
};

// Everything the player does in one tick: the keys held, what was pressed since the last tick,
// and where the mouse and the wheel left the view. A run is these, tick after tick.
struct TickInput {
    bool forward = false;
    bool backward = false;
    bool left = false;
    bool right = false;
    bool jump = false;    // Space pressed since the last tick
    bool dropAll = false; // 2 released since the last tick
    float yaw = -90.0f;
    float pitch = 0.0f;
    float movementSpeed = 1.0f;
};

// What happened in one tick, for whoever shows or sounds it. Sides are x offsets from the runner:
// negative on its left.
struct TickEvents {
    bool jumped = false; // a jump left the ground
    bool glided = false; // and it was a glide jump
    int touched = 0;     // cubes the player marked
    float touchedSide = 0.0f;
    int scored = 0; // cubes that scored (each 1 or 2 points)
    float scoredSide = 0.0f;
    bool timedDrop = false; // the shifting timer marked a cube
    float timedDropSide = 0.0f;
    // The rules:
    bool gameOver = false;
    bool extended = false;
    bool collected = false;
};

// The playable world without window, GL or HUD: the player, the track of cubes and platforms, the
// powerups and the game rules. It advances one tick at a time from the input it is handed, and
// draws its random numbers from generators of its own: the same seed and the same inputs give
// the same game, bit for bit. Everything of a run is its own, so worlds side by side (on physics
// worlds of their own) never touch each other's cubes, bodies or points.
class GameWorld {
public:
    // The start of the track from `seed`: cube rows, the first platform with its powerup, the fall
    // sensor and the player at the origin.
    GameWorld(PhysicsWorld& physics, std::uint32_t seed, float aspectRatio);
    ~GameWorld();

    GameWorld(const GameWorld&) = delete;
    GameWorld& operator=(const GameWorld&) = delete;

    // One tick of 1/60 s: the player moves, the world takes its step, the sensors are scanned,
    // the cube pass runs, and the rules are applied.
    TickEvents tick(const TickInput& input);

    // The rules of a tick: game over at a height of -10, then track extension and powerup
    // collection.
    TickEvents applyRules();

    // The runner has fallen as far as ends the game.
    bool over() const;

    // Adds the points of `cubeCount` removed cubes: 2 each under double points, else 1.
    void score(int cubeCount);

    Player& player() { return *playerObject; }
    const Player& player() const { return *playerObject; }
    const Platforms& platforms() const { return platformTrack; }
    const btGhostObject& fallSensor() const { return *fallSensorObject; }
    // Where the powerup on display floats.
    glm::vec3 powerupPosition() const { return glm::vec3(0.0f, 1.0f, powerupZ); }
    // Ticks played so far.
    std::int64_t ticks() const { return tickCount; }

    // The cubes of this run's track, and the points they have scored: weighted by the powerup in
    // force when each was removed.
    CubeList cubes;
    std::int32_t points = 0;
    SegmentState segments;
    PowerupKind placedKind = PowerupKind::Glide;
    PowerupKind activeKind = PowerupKind::None;
    // The tick of the last cube dropped by the shifting timer, or 0.
    std::int64_t lastDropTicks = 0;

private:
    // The player moves, the world takes its step, and the body, sweep and fall sensors are
    // scanned, scoring the cubes they remove.
    void runningStep(PlayerInput input, TickEvents& events);
    // The cube pass's rules (drawing is separate).
    void updateCubes(bool dropAllRequested, TickEvents& events);
    void extendTrack();
    void collectPowerup();
    PowerupKind randomPowerupKind();
    static glm::mat4 platformTransform(float z);

    PhysicsWorld& physics;
    std::mt19937 trackRandom;   // the cube generator's
    std::mt19937 powerupRandom; // the powerup choice's
    btCollisionShape* cubeShape;
    btCollisionShape* fallSensorShape;
    btCollisionShape* platformShape;
    Platforms platformTrack;
    float powerupZ = -100.0f;
    std::int64_t tickCount = 0;
    std::unique_ptr<btGhostObject> fallSensorObject;
    std::unique_ptr<Player> playerObject;
};

// A digest of everything the simulation holds: two runs that agree on it played the same game.
std::uint64_t worldStateHash(const GameWorld& world);
