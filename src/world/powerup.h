#pragma once

#include <memory>
#include <vector>

#include "geometry.h"

class Material;

enum class PowerupKind { Glide = 0, DoublePoints = 1, None = 2 };

inline constexpr const char* kGlideModelFile = "assets/models/powerup_glide.obj";
inline constexpr const char* kDoublePointsModelFile = "assets/models/powerup_double.obj";

// One drawable per mesh of `model`, all at `matrix` with `material`.
std::vector<Geometry> instantiateModel(const std::vector<GeometryData>& model, const glm::mat4& matrix,
                                       const std::shared_ptr<Material>& material);

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
