#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "physics_world.h"

// One cell of the track: a dynamic box resting on an invisible static support of the same size.
// Taking the support away lets the cube fall.
class Cube {
public:
    // Builds the bodies; they are added to the world by the caller.
    Cube(btCollisionShape* shape, const glm::mat4& start, float mass, btDiscreteDynamicsWorld& world);
    // Takes the body, and the support if it is still there, out of the world.
    ~Cube();

    Cube(const Cube&) = delete;
    Cube& operator=(const Cube&) = delete;

    void addToWorld();

    // Chooses the cube to drop: its support goes dropDelay seconds of running time later.
    void mark();

    // The running part of the cube pass, once a tick: the model matrix follows the body; a marked
    // cube's countdown runs and, when it ends, the support is removed.
    void update(float dt);

    // Where the cube stood after the last tick.
    const glm::mat4& modelMatrix() const { return model; }
    // Where it is drawn: `blend` of the way from the tick before the last one (0) to the last (1).
    glm::mat4 modelMatrix(float blend) const;
    glm::vec3 position() const { return glm::vec3(model[3]); }

    const btRigidBody* body() const { return bodyObject.body.get(); }
    const btRigidBody* support() const { return supportObject.body.get(); }
    bool supported() const { return supportObject.body != nullptr; }
    glm::mat4 startMatrix() const { return start; }

    bool dropPending = false;
    bool marked = false;
    float dropDelay = 0.6f;
    bool removalPending = false; // a scan is taking it off the list

private:
    void removeSupport();

    btDiscreteDynamicsWorld& world;
    glm::mat4 start;
    RigidBody bodyObject;
    RigidBody supportObject;
    glm::mat4 model;
    glm::mat4 previousModel;
};

// The cubes of a run's track, in random order; the shifting timer takes the first unmarked one.
using CubeList = std::vector<std::unique_ptr<Cube>>;

// An unbiased draw from [low, high], the same on every platform for a given engine state.
std::uint32_t uniformDraw(std::mt19937& engine, std::uint32_t low, std::uint32_t high);

// Appends rows of cubes to `cubes`, seven abreast, 1.1 apart, running towards -z from
// z = -firstRowOffset, then shuffles the whole list. A cell holds a cube when its draw from [1, 100] exceeds
// `threshold`, and always in the first `alwaysRows` rows. Every draw comes from `random`.
void spawnCubeRows(CubeList& cubes, std::mt19937& random, int rows, btCollisionShape* shape,
                   btDiscreteDynamicsWorld& world, double firstRowOffset, int threshold, int alwaysRows);

// Cubes a scan did something to: how many, and the sum of their x positions.
struct CubeTally {
    int count = 0;
    float xSum = 0.0f;
    void add(const Cube& cube)
    {
        ++count;
        xSum += cube.position().x;
    }
};

// Marks every unmarked cube whose body the player's body sensor overlaps; returns those.
CubeTally scanBodySensor(const btGhostObject& bodySensor);

// Removes every cube the sweep sensor overlaps (the cubes the player has left behind).
// Returns those of them that score: the marked ones.
CubeTally scanSweepSensor(CubeList& cubes, const btGhostObject& sweepSensor);

// Removes every cube that has fallen into the fall sensor. Each one scores; returns them all.
CubeTally scanFallSensor(CubeList& cubes, const btGhostObject& fallSensor);

// What the cube pass needs to know of the tick.
struct CubePassInput {
    bool dropAllRequested = false;
    bool shifting = false;
    float dropInterval = 2.0f;
    float dt = 0.0f;
    std::int64_t tick = 0; // the number of the tick this pass belongs to
};

// The running rules of every cube in one tick: drop-all marks the unmarked ones; while shifting,
// the first unmarked cube is marked once more than max(0.5, dropInterval) seconds of ticks have
// passed since tick `lastDropTicks` (which then restarts); countdowns run. Returns the cube the
// shifting timer marked, if it marked one.
const Cube* updateCubes(CubeList& cubes, const CubePassInput& input, std::int64_t& lastDropTicks);
