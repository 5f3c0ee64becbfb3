#pragma once

#include <glm/glm.hpp>
#include <vector>

#include "geometry.h"
#include "gl.h"

class Material;

// One mesh drawn many times in a single instanced draw, each copy with its own model matrix.
// Attribute locations as for Geometry (0 position, 1 normal, 2 texture coordinate), and per copy
// 4 to 7 the columns of its model matrix and 8 to 10 those of its normal matrix.
class InstancedMesh {
public:
    explicit InstancedMesh(const GeometryData& data);
    ~InstancedMesh();

    InstancedMesh(const InstancedMesh&) = delete;
    InstancedMesh& operator=(const InstancedMesh&) = delete;

    // Draws one copy per matrix, in the order given, with the material's shader and values. The
    // normal matrices are those Geometry::draw sends, so a copy shades exactly as a Geometry would.
    void draw(Material& material, const std::vector<glm::mat4>& modelMatrices);

private:
    struct Instance {
        glm::mat4 model;
        glm::mat3 normal;
    };

    GLuint vertexArray = 0;
    GLuint positionBuffer = 0;
    GLuint normalBuffer = 0;
    GLuint uvBuffer = 0;
    GLuint indexBuffer = 0;
    GLuint instanceBuffer = 0;
    GLsizei elementCount = 0;
    size_t instanceCapacity = 0;
    std::vector<Instance> instances; // kept from frame to frame: drawing allocates nothing
};
