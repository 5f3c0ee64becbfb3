#include "model_loader.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <assimp/Importer.hpp>
#include <cstdio>

#include "asset_path.h"

namespace {

constexpr unsigned kImportFlags = aiProcess_Triangulate | aiProcess_FlipUVs;

void reportModelProblem(const std::string& path, const std::string& problem)
{
    std::fprintf(stderr, "Model '%s': %s\n", path.c_str(), problem.c_str());
    std::fflush(stderr);
}

GeometryData convertMesh(const aiMesh& mesh, const std::string& path)
{
    if (mesh.mNormals == nullptr)
        reportModelProblem(path, "a mesh has no normals; it is drawn with zero normals.");
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
    unsigned skipped = 0;
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        if (face.mNumIndices != 3 || face.mIndices[0] >= mesh.mNumVertices || face.mIndices[1] >= mesh.mNumVertices ||
            face.mIndices[2] >= mesh.mNumVertices) {
            ++skipped;
            continue;
        }
        data.indices.insert(data.indices.end(), face.mIndices, face.mIndices + 3);
    }
    if (skipped > 0)
        reportModelProblem(path, std::to_string(skipped) +
                                     " faces that are not triangles of its own vertices were left out.");
    return data;
}

void convertNode(const aiScene& scene, const aiNode& node, const std::string& path, std::vector<GeometryData>& meshes)
{
    for (unsigned i = 0; i < node.mNumMeshes; ++i)
        if (node.mMeshes[i] < scene.mNumMeshes)
            meshes.push_back(convertMesh(*scene.mMeshes[node.mMeshes[i]], path));
    for (unsigned i = 0; i < node.mNumChildren; ++i)
        convertNode(scene, *node.mChildren[i], path, meshes);
}

std::vector<GeometryData> convertScene(const aiScene* scene, const Assimp::Importer& importer, const std::string& path)
{
    if (scene == nullptr || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0 || scene->mRootNode == nullptr) {
        reportModelProblem(path, importer.GetErrorString());
        return {};
    }
    std::vector<GeometryData> meshes;
    convertNode(*scene, *scene->mRootNode, path, meshes);
    if (meshes.empty())
        reportModelProblem(path, "there is nothing in it to draw.");
    return meshes;
}

} // namespace

std::vector<GeometryData> loadModel(const std::string& path)
{
    Assimp::Importer importer;
    return convertScene(importer.ReadFile(path, kImportFlags), importer, path);
}

std::vector<GeometryData> loadModelFromMemory(const std::string& objText)
{
    Assimp::Importer importer;
    return convertScene(importer.ReadFileFromMemory(objText.data(), objText.size(), kImportFlags, "obj"), importer,
                        "(in memory)");
}

std::vector<GeometryData> loadModelAsset(const std::string& assetName)
{
    const std::string resolved = resolveAssetPath(assetName);
    return loadModel(resolved.empty() ? assetName : resolved);
}
