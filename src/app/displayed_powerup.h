#pragma once

#include <memory>
#include <vector>

#include "geometry.h"

class Material;

// The powerup on display, spinning above its platform.
class Powerup {
public:
    // Replaces the displayed meshes with those of `model` at `position`.
    void place(const std::vector<GeometryData>& model, glm::vec3 position, const std::shared_ptr<Material>& material);

    // Turns each mesh by 5 radians a second about its own vertical axis, then draws it.
    void spinAndDraw(float dt);

    void release() { meshes.clear(); }
    const std::vector<Geometry>& drawables() const { return meshes; }

private:
    std::vector<Geometry> meshes;
};
