#pragma once

#include <memory>
#include <vector>

#include "physics_world.h"

// The platforms between the fields of cubes: every one ever made stays solid, as three static
// boxes crossed at 60 degrees, and the newest two are the ones drawn.
class Platforms {
public:
    explicit Platforms(btDiscreteDynamicsWorld& world) : world(world) {}
    ~Platforms();

    Platforms(const Platforms&) = delete;
    Platforms& operator=(const Platforms&) = delete;

    // A new platform at `transform`, its boxes on `shape`.
    void createPlatform(const glm::mat4& transform, btCollisionShape* shape);

    // Where the platforms to draw stand: the newest first, then the one before it.
    const std::vector<glm::mat4>& shown() const { return shownTransforms; }
    // How many platforms have been made; what is shown changes only when this does.
    size_t count() const { return platformBodies.size() / 3; }
    const std::vector<RigidBody>& bodies() const { return platformBodies; }

private:
    btDiscreteDynamicsWorld& world;
    std::vector<glm::mat4> shownTransforms;
    std::vector<RigidBody> platformBodies;
};
