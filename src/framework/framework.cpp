#include "framework.h"

#include <cmath>
#include <memory>

#include "console.h"
#include "shader.h"

namespace {

std::unique_ptr<Shader> fallbackProgram;
BuiltinMesh mesh;

// One patch of a sphere of radius 0.5, cut into 8 sectors around y and 4 bands from pole to pole.
void appendSpherePatch(std::vector<float>& positions, int patch)
{
    constexpr float kPi = 3.14159265f;
    const int sector = patch % 8;
    const int band = patch / 8;
    for (int row = 0; row < kBuiltinPatchSize; ++row) {
        const float polar = kPi * (static_cast<float>(band) + static_cast<float>(row) / 3.0f) / 4.0f;
        for (int column = 0; column < kBuiltinPatchSize; ++column) {
            const float azimuth = 2.0f * kPi * (static_cast<float>(sector) + static_cast<float>(column) / 3.0f) / 8.0f;
            const float x = 0.5f * std::sin(polar) * std::cos(azimuth);
            const float y = 0.5f * std::cos(polar);
            const float z = 0.5f * std::sin(polar) * std::sin(azimuth);
            // A half turn about y, as the mesh is stored facing the other way.
            positions.insert(positions.end(), {-x, y, -z});
        }
    }
}

void uploadBuiltinMesh()
{
    const std::vector<float> positions = builtinMeshPositions();
    const std::vector<GLuint> indices = builtinMeshIndices();
    mesh.indexCount = kBuiltinIndexCount;

    glGenVertexArrays(1, &mesh.vertexArray);
    glBindVertexArray(mesh.vertexArray);
    glGenBuffers(1, &mesh.vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, mesh.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(positions.size() * sizeof(float)), positions.data(),
                 GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);

    // Bound while the vertex array is, so the array records it.
    glGenBuffers(1, &mesh.indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)), indices.data(),
                 GL_STATIC_DRAW);

    glBindVertexArray(0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

} // namespace

std::vector<float> builtinMeshPositions()
{
    std::vector<float> positions;
    positions.reserve(static_cast<size_t>(kBuiltinVertexCount) * 3);
    for (int patch = 0; patch < kBuiltinPatchCount; ++patch)
        appendSpherePatch(positions, patch);
    return positions;
}

std::vector<GLuint> builtinMeshIndices()
{
    std::vector<GLuint> indices;
    indices.reserve(kBuiltinIndexCount);
    for (GLuint patch = 0; patch < kBuiltinPatchCount; ++patch)
        for (GLuint row = 0; row < 3; ++row)
            for (GLuint column = 0; column < 3; ++column) {
                const GLuint a = 16 * patch + 4 * row + column;
                indices.insert(indices.end(), {a, a + 5, a + 4, a, a + 1, a + 5});
            }
    return indices;
}

bool initFramework()
{
    if (glfwGetCurrentContext() == nullptr) {
        printLine("No context available. Exiting.");
        return false;
    }
    if (!GLEW_VERSION_2_1) {
        printLine("GLEW not available. Exiting.");
        return false;
    }

    GLint currentProgram = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &currentProgram);
    if (currentProgram == 0) {
        fallbackProgram = std::make_unique<Shader>();
        fallbackProgram->use();
    }

    uploadBuiltinMesh();
    return true;
}

void shutdownFramework()
{
    glDeleteBuffers(1, &mesh.vertexBuffer);
    glDeleteBuffers(1, &mesh.indexBuffer);
    glDeleteVertexArrays(1, &mesh.vertexArray);
    mesh = BuiltinMesh{};
    fallbackProgram.reset();
}

const BuiltinMesh& builtinMesh()
{
    return mesh;
}

const Shader* defaultProgram()
{
    return fallbackProgram.get();
}
