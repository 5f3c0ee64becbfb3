#pragma once

#include <glm/glm.hpp>
#include <memory>
#include <vector>

#include "gl.h"

class Material;

// The vertex arrays of one triangle mesh, on the CPU side.
struct GeometryData {
    std::vector<glm::vec3> positions;
    std::vector<GLuint> indices;           // three per triangle, each below the vertex count
    std::vector<glm::vec3> extraAttribute; // optional per-vertex vector; empty for every mesh of the game
    std::vector<glm::vec3> normals;
    std::vector<glm::vec2> uvs;
};

// A mesh uploaded to GL, drawn with its own material and model matrix.
// Attribute locations: 0 position, 1 normal, 2 texture coordinate, 3 extra (when present).
class Geometry {
public:
    Geometry(glm::mat4 modelMatrix, const GeometryData& data, std::shared_ptr<Material> material);
    ~Geometry();

    Geometry(Geometry&& other) noexcept;
    Geometry& operator=(Geometry&& other) noexcept;
    Geometry(const Geometry&) = delete;
    Geometry& operator=(const Geometry&) = delete;

    // Sets "modelMatrix" and "normalMatrix", the material's values, and draws the triangles.
    void draw();

    glm::mat4 getModelMatrix() const { return modelMatrix; }
    void setModelMatrix(const glm::mat4& matrix) { modelMatrix = matrix; }

private:
    void release();

    GLuint vertexArray = 0;
    GLuint positionBuffer = 0;
    GLuint extraBuffer = 0;
    GLuint normalBuffer = 0;
    GLuint uvBuffer = 0;
    GLuint indexBuffer = 0;
    GLuint elementCount = 0;
    std::shared_ptr<Material> material;
    glm::mat4 modelMatrix{1.0f};
};

// One drawable per mesh of `model`, in the model's order, all at `matrix` with `material`.
std::vector<Geometry> instantiateModel(const std::vector<GeometryData>& model, const glm::mat4& matrix,
                                       const std::shared_ptr<Material>& material);

// A new GL buffer holding `values`, fed to the bound vertex array's attribute `location` as
// `components` floats per vertex.
template <typename T> GLuint uploadVertexAttribute(GLuint location, const std::vector<T>& values, GLint components);

// An axis-aligned box centred on the origin: 24 vertices (four per face) and 36 indices.
GeometryData createCubeGeometry(float width, float height, float depth);

// A 2 x 2 square in the XY plane centred on the origin, facing -z.
GeometryData createQuadGeometry();
