#include "geometry.h"

#include <utility>

#include "material.h"
#include "shader.h"

template <typename T> GLuint uploadVertexAttribute(GLuint location, const std::vector<T>& values, GLint components)
{
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(values.size() * sizeof(T)), values.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, components, GL_FLOAT, GL_FALSE, 0, nullptr);
    return buffer;
}

template GLuint uploadVertexAttribute(GLuint, const std::vector<glm::vec3>&, GLint);
template GLuint uploadVertexAttribute(GLuint, const std::vector<glm::vec2>&, GLint);

std::vector<Geometry> instantiateModel(const std::vector<GeometryData>& model, const glm::mat4& matrix,
                                       const std::shared_ptr<Material>& material)
{
    std::vector<Geometry> drawables;
    drawables.reserve(model.size());
    for (const GeometryData& mesh : model)
        drawables.emplace_back(matrix, mesh, material);
    return drawables;
}

Geometry::Geometry(glm::mat4 matrix, const GeometryData& data, std::shared_ptr<Material> meshMaterial)
    : elementCount(static_cast<GLuint>(data.indices.size())), material(std::move(meshMaterial)), modelMatrix(matrix)
{
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    positionBuffer = uploadVertexAttribute(0, data.positions, 3);
    normalBuffer = uploadVertexAttribute(1, data.normals, 3);
    uvBuffer = uploadVertexAttribute(2, data.uvs, 2);
    if (!data.extraAttribute.empty())
        extraBuffer = uploadVertexAttribute(3, data.extraAttribute, 3);

    glGenBuffers(1, &indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.indices.size() * sizeof(GLuint)),
                 data.indices.data(), GL_STATIC_DRAW);

    // Unbinding the array first keeps the element buffer recorded in it.
    glBindVertexArray(0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

Geometry::~Geometry()
{
    release();
}

Geometry::Geometry(Geometry&& other) noexcept
    : vertexArray(std::exchange(other.vertexArray, 0)), positionBuffer(std::exchange(other.positionBuffer, 0)),
      extraBuffer(std::exchange(other.extraBuffer, 0)), normalBuffer(std::exchange(other.normalBuffer, 0)),
      uvBuffer(std::exchange(other.uvBuffer, 0)), indexBuffer(std::exchange(other.indexBuffer, 0)),
      elementCount(std::exchange(other.elementCount, 0)), material(std::move(other.material)),
      modelMatrix(other.modelMatrix)
{
}

Geometry& Geometry::operator=(Geometry&& other) noexcept
{
    if (this != &other) {
        release();
        vertexArray = std::exchange(other.vertexArray, 0);
        positionBuffer = std::exchange(other.positionBuffer, 0);
        extraBuffer = std::exchange(other.extraBuffer, 0);
        normalBuffer = std::exchange(other.normalBuffer, 0);
        uvBuffer = std::exchange(other.uvBuffer, 0);
        indexBuffer = std::exchange(other.indexBuffer, 0);
        elementCount = std::exchange(other.elementCount, 0);
        material = std::move(other.material);
        modelMatrix = other.modelMatrix;
    }
    return *this;
}

void Geometry::release()
{
    // Deleting name 0 is a no-op, so a moved-from geometry releases nothing.
    const GLuint buffers[] = {positionBuffer, extraBuffer, normalBuffer, uvBuffer, indexBuffer};
    if (vertexArray != 0) {
        glDeleteBuffers(5, buffers);
        glDeleteVertexArrays(1, &vertexArray);
    }
    vertexArray = positionBuffer = extraBuffer = normalBuffer = uvBuffer = indexBuffer = 0;
    material.reset();
}

void Geometry::draw()
{
    Shader& shader = material->getShader();
    shader.use();
    shader.setUniform("modelMatrix", modelMatrix);
    shader.setUniform("normalMatrix", glm::mat3(glm::transpose(glm::inverse(modelMatrix))));
    material->setUniforms();

    glBindVertexArray(vertexArray);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(elementCount), GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}

GeometryData createCubeGeometry(float width, float height, float depth)
{
    const float x = width / 2.0f;
    const float y = height / 2.0f;
    const float z = depth / 2.0f;

    struct Face {
        glm::vec3 corners[4]; // signs of (x, y, z)
        glm::vec3 normal;
        glm::vec2 uvs[4];
    };
    const Face faces[6] = {
        {{{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}}, {0, 0, 1}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
        {{{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}}, {0, 0, -1}, {{1, 1}, {0, 1}, {0, 0}, {1, 0}}},
        {{{1, -1, 1}, {1, -1, -1}, {1, 1, -1}, {1, 1, 1}}, {1, 0, 0}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
        {{{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}}, {-1, 0, 0}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
        {{{-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1}}, {0, 1, 0}, {{0, 1}, {0, 0}, {1, 0}, {1, 1}}},
        {{{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}}, {0, -1, 0}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
    };

    GeometryData data;
    for (GLuint k = 0; k < 6; ++k) {
        for (int corner = 0; corner < 4; ++corner) {
            data.positions.push_back(faces[k].corners[corner] * glm::vec3(x, y, z));
            data.normals.push_back(faces[k].normal);
            data.uvs.push_back(faces[k].uvs[corner]);
        }
        const GLuint b = 4 * k;
        data.indices.insert(data.indices.end(), {b, b + 1, b + 2, b + 2, b + 3, b});
    }
    return data;
}

GeometryData createQuadGeometry()
{
    GeometryData data;
    data.positions = {{-1, 1, 0}, {-1, -1, 0}, {1, -1, 0}, {1, 1, 0}};
    data.normals.assign(4, glm::vec3(0, 0, -1));
    data.uvs = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};
    data.indices = {0, 1, 2, 2, 3, 0};
    return data;
}
