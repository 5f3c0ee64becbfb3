#include "instanced_mesh.h"

#include <cstddef>

#include "material.h"
#include "shader.h"

namespace {

constexpr GLuint kModelMatrixLocation = 4;
constexpr GLuint kNormalMatrixLocation = 8;

// A matrix attribute takes one location per column, each advancing once per copy.
void pointAtColumns(GLuint firstLocation, int columns, int rows, size_t offset)
{
    for (int column = 0; column < columns; ++column) {
        const GLuint location = firstLocation + static_cast<GLuint>(column);
        const size_t columnOffset = offset + static_cast<size_t>(column * rows) * sizeof(float);
        glEnableVertexAttribArray(location);
        // GL takes the offset into the bound buffer in the place of a pointer.
        glVertexAttribPointer(location, rows, GL_FLOAT, GL_FALSE, sizeof(glm::mat4) + sizeof(glm::mat3),
                              reinterpret_cast<const void*>(columnOffset)); // NOLINT(performance-no-int-to-ptr)
        glVertexAttribDivisor(location, 1);
    }
}

} // namespace

InstancedMesh::InstancedMesh(const GeometryData& data) : elementCount(static_cast<GLsizei>(data.indices.size()))
{
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    positionBuffer = uploadVertexAttribute(0, data.positions, 3);
    normalBuffer = uploadVertexAttribute(1, data.normals, 3);
    uvBuffer = uploadVertexAttribute(2, data.uvs, 2);

    glGenBuffers(1, &instanceBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer);
    pointAtColumns(kModelMatrixLocation, 4, 4, offsetof(Instance, model));
    pointAtColumns(kNormalMatrixLocation, 3, 3, offsetof(Instance, normal));

    glGenBuffers(1, &indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.indices.size() * sizeof(GLuint)),
                 data.indices.data(), GL_STATIC_DRAW);
    // Unbinding the array first keeps the element buffer recorded in it.
    glBindVertexArray(0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

InstancedMesh::~InstancedMesh()
{
    const GLuint buffers[] = {positionBuffer, normalBuffer, uvBuffer, indexBuffer, instanceBuffer};
    glDeleteBuffers(5, buffers);
    glDeleteVertexArrays(1, &vertexArray);
}

void InstancedMesh::draw(Material& material, const std::vector<glm::mat4>& modelMatrices)
{
    // Nothing to upload is no upload: WebGL reads a length of 0 as "all of the source".
    if (modelMatrices.empty())
        return;
    instances.clear();
    for (const glm::mat4& model : modelMatrices)
        instances.push_back({model, glm::mat3(glm::transpose(glm::inverse(model)))});

    glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer);
    // The buffer's storage is made anew only when the copies outgrow it.
    if (instances.size() > instanceCapacity) {
        instanceCapacity = instances.capacity();
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(instanceCapacity * sizeof(Instance)), nullptr,
                     GL_STREAM_DRAW);
    }
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(instances.size() * sizeof(Instance)), instances.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    Shader& shader = material.getShader();
    shader.use();
    material.setUniforms();
    glBindVertexArray(vertexArray);
    glDrawElementsInstanced(GL_TRIANGLES, elementCount, GL_UNSIGNED_INT, nullptr,
                            static_cast<GLsizei>(instances.size()));
    glBindVertexArray(0);
}
