#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "geometry.h"
#include "instanced_mesh.h"
#include "physics_world.h"

class Material;

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

    // The running part of the cube pass: the model matrix follows the body; a marked cube's
    // countdown runs and, when it ends, the support is removed.
    void update(float dt);

    // Where and how the cube is drawn now.
    const glm::mat4& modelMatrix() const { return model; }
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
};

// The cubes of the track, in random order; the shifting timer takes the first unmarked one.
extern std::vector<std::unique_ptr<Cube>> cubes;

// The unit cube every cube is drawn with, prepared before start-up.
extern GeometryData unitCubeData;

// The random engine of the track generator, seeded once at start.
extern std::mt19937 cubeRandom;

// An unbiased draw from [low, high], the same on every platform for a given engine state.
std::uint32_t uniformDraw(std::mt19937& engine, std::uint32_t low, std::uint32_t high);

// Appends rows of cubes, seven abreast, 1.1 apart, running towards -z from z = -firstRowOffset,
// then shuffles the whole list. A cell holds a cube when its draw from [1, 100] exceeds
// `threshold`, and always in the first `alwaysRows` rows.
void spawnCubeRows(int rows, btCollisionShape* shape, btDiscreteDynamicsWorld& world, double firstRowOffset,
                   int threshold, int alwaysRows);

// Marks every unmarked cube whose body the player's body sensor overlaps.
void scanBodySensor(const btGhostObject& bodySensor);

// Removes every cube the sweep sensor overlaps (the cubes the player has left behind).
// Returns how many of them score: the marked ones.
int scanSweepSensor(const btGhostObject& sweepSensor);

// Removes every cube that has fallen into the fall sensor. Each one scores; returns how many.
int scanFallSensor(const btGhostObject& fallSensor);

// What the cube pass needs to know of the frame.
struct CubePassInput {
    bool paused = false;
    bool dropAllRequested = false;
    bool shifting = false;
    float dropInterval = 2.0f;
    float dt = 0.0f;
    std::int64_t nowTicks = 0; // wall clock in 100 ns ticks
};

// The running rules of every cube: drop-all marks the unmarked ones; while shifting, the first
// unmarked cube is marked once more than max(0.5, dropInterval) seconds of wall-clock time have
// passed since `lastDropTicks` (which then restarts); countdowns run. Nothing happens while paused.
void updateCubes(const CubePassInput& input, std::int64_t& lastDropTicks);

// Draws every cube of `cubes` in one instanced draw of the unit cube with one material.
class CubeDrawer {
public:
    CubeDrawer(const GeometryData& mesh, std::shared_ptr<Material> material);

    // The cubes nearest `cameraPosition` come first. With `hideBackFaces`, back faces are culled
    // for this draw alone: the caller asks for it only when the depth test is on and polygons are
    // filled, where a closed opaque cube's back faces cannot show.
    void draw(const glm::vec3& cameraPosition, bool hideBackFaces);

private:
    InstancedMesh mesh;
    std::shared_ptr<Material> material;
    // Kept from frame to frame: drawing allocates nothing once the track has grown.
    std::vector<std::pair<float, const Cube*>> nearestFirst;
    std::vector<glm::mat4> modelMatrices;
};

// The wall clock in 100-nanosecond ticks.
std::int64_t wallClockTicks();
