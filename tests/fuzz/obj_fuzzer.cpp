// libFuzzer target: OBJ import through Assimp and the conversion to GeometryData, from memory.

#include <cstddef>
#include <cstdint>
#include <string>

#include "model_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<GeometryData> meshes =
        loadModelFromMemory(std::string(reinterpret_cast<const char*>(data), size));
    for (const GeometryData& mesh : meshes) {
        if (mesh.normals.size() != mesh.positions.size() || mesh.uvs.size() != mesh.positions.size() ||
            mesh.indices.size() % 3 != 0)
            __builtin_trap();
        for (GLuint index : mesh.indices)
            if (index >= mesh.positions.size())
                __builtin_trap(); // every index must name a vertex
    }
    return 0;
}
