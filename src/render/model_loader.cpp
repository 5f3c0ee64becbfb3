#include "model_loader.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <assimp/Importer.hpp>
#include <cstdio>

#include "asset_path.h"

namespace {

constexpr unsigned kImportFlags = aiProcess_Triangulate | aiProcess_FlipUVs;

GeometryData convertMesh(const aiMesh& mesh)
{
    GeometryData data;
    data.positions.reserve(mesh.mNumVertices);
    data.normals.reserve(mesh.mNumVertices);
    data.uvs.reserve(mesh.mNumVertices);
    for (unsigned i = 0; i < mesh.mNumVertices; ++i) {
        const aiVector3D& p = mesh.mVertices[i];
        data.positions.emplace_back(p.x, p.y, p.z);
        if (mesh.mNormals != nullptr)
            data.normals.emplace_back(mesh.mNormals[i].x, mesh.mNormals[i].y, mesh.mNormals[i].z);
        else
            data.normals.emplace_back(0.0f);
        if (mesh.mTextureCoords[0] != nullptr)
            data.uvs.emplace_back(mesh.mTextureCoords[0][i].x, mesh.mTextureCoords[0][i].y);
        else
            data.uvs.emplace_back(0.0f);
    }
    // Triangulation leaves points and lines alone; only triangles with valid indices are drawn.
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        if (face.mNumIndices != 3)
            continue;
        if (face.mIndices[0] >= mesh.mNumVertices || face.mIndices[1] >= mesh.mNumVertices ||
            face.mIndices[2] >= mesh.mNumVertices)
            continue;
        data.indices.insert(data.indices.end(), face.mIndices, face.mIndices + 3);
    }
    return data;
}

void convertNode(const aiScene& scene, const aiNode& node, std::vector<GeometryData>& meshes)
{
    for (unsigned i = 0; i < node.mNumMeshes; ++i)
        if (node.mMeshes[i] < scene.mNumMeshes)
            meshes.push_back(convertMesh(*scene.mMeshes[node.mMeshes[i]]));
    for (unsigned i = 0; i < node.mNumChildren; ++i)
        convertNode(scene, *node.mChildren[i], meshes);
}

std::vector<GeometryData> convertScene(const aiScene* scene, const Assimp::Importer& importer)
{
    if (scene == nullptr || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0 || scene->mRootNode == nullptr) {
        std::fprintf(stderr, "%s\n", importer.GetErrorString());
        std::fflush(stderr);
        return {};
    }
    std::vector<GeometryData> meshes;
    convertNode(*scene, *scene->mRootNode, meshes);
    return meshes;
}

} // namespace

std::vector<GeometryData> loadModel(const std::string& path)
{
    Assimp::Importer importer;
    return convertScene(importer.ReadFile(path, kImportFlags), importer);
}

std::vector<GeometryData> loadModelFromMemory(const std::string& objText)
{
    Assimp::Importer importer;
    return convertScene(importer.ReadFileFromMemory(objText.data(), objText.size(), kImportFlags, "obj"), importer);
}

std::vector<GeometryData> loadModelAsset(const std::string& assetName)
{
    const std::string resolved = resolveAssetPath(assetName);
    return loadModel(resolved.empty() ? assetName : resolved);
}
