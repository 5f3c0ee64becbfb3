#pragma once

#include <vector>

#include "gl.h"

class Shader;

// The framework's own mesh, uploaded once at initialisation; the game never draws it.
struct BuiltinMesh {
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    GLuint indexBuffer = 0;
    GLsizei indexCount = 0;
};

inline constexpr int kBuiltinPatchCount = 32;
inline constexpr int kBuiltinPatchSize = 4; // each patch is a 4 x 4 grid of points
inline constexpr int kBuiltinVertexCount = kBuiltinPatchCount * kBuiltinPatchSize * kBuiltinPatchSize;
inline constexpr int kBuiltinIndexCount = kBuiltinPatchCount * 3 * 3 * 6;

// Checks that a context and the GL entry points are ready, makes sure a shader program is
// current (installing the fallback program if none is) and uploads the built-in mesh.
// Returns false after printing the reason.
bool initFramework();

// Releases what initFramework created.
void shutdownFramework();

const BuiltinMesh& builtinMesh();

// The fallback program, or null when a program was already current at initialisation.
const Shader* defaultProgram();

// Positions (x, y, z per vertex, half-turned about y) and triangle indices of the built-in mesh.
std::vector<float> builtinMeshPositions();
std::vector<GLuint> builtinMeshIndices();
