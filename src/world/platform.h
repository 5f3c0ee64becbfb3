#pragma once

#include <memory>
#include <vector>

#include "geometry.h"
#include "physics_world.h"

class Material;

inline constexpr const char* kPlatformModelFile = "assets/models/new_platform.obj";

// The platform model, loaded once before start-up and shared by every platform.
extern std::vector<GeometryData> platformModel;

// The platforms between the fields of cubes: the newest two are drawn, and every one ever made
// stays solid, as three static boxes crossed at 60 degrees.
class Platforms {
public:
    explicit Platforms(btDiscreteDynamicsWorld& world) : world(world) {}
    ~Platforms();

    Platforms(const Platforms&) = delete;
    Platforms& operator=(const Platforms&) = delete;

    // A new platform at `transform`: its model drawn with `material`, its boxes on `shape`.
    void createPlatform(const glm::mat4& transform, const std::shared_ptr<Material>& material, btCollisionShape* shape);

    // The current platform, then the previous one.
    void draw();

    // Drawables of the newest platform and of the one before it.
    const std::vector<Geometry>& current() const { return currentPlatform; }
    const std::vector<Geometry>& previous() const { return previousPlatform; }
    const std::vector<RigidBody>& bodies() const { return platformBodies; }

private:
    btDiscreteDynamicsWorld& world;
    std::vector<Geometry> currentPlatform;
    std::vector<Geometry> previousPlatform;
    std::vector<RigidBody> platformBodies;
};
