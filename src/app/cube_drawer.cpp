#include "cube_drawer.h"

#include <algorithm>

#include "gl.h"
#include "material.h"

CubeDrawer::CubeDrawer(const GeometryData& cubeMesh, std::shared_ptr<Material> cubeMaterial)
    : mesh(cubeMesh), material(std::move(cubeMaterial))
{
}

void CubeDrawer::draw(const CubeList& cubes, const glm::vec3& cameraPosition, float blend, bool hideBackFaces)
{
    // Nearest first, as the cubes have always been drawn: where two faces meet at one depth, the
    // one drawn first keeps the pixel.
    nearestFirst.clear();
    for (const std::unique_ptr<Cube>& cube : cubes) {
        const glm::vec3 offset = cube->position() - cameraPosition;
        nearestFirst.emplace_back(glm::dot(offset, offset), cube.get());
    }
    std::sort(nearestFirst.begin(), nearestFirst.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    modelMatrices.clear();
    for (const auto& [distance, cube] : nearestFirst)
        modelMatrices.push_back(cube->modelMatrix(blend));
    // The rasteriser would otherwise walk every hidden back face only for the depth test to
    // throw its fragments away: about as much work again as the faces that show.
    if (hideBackFaces)
        glEnable(GL_CULL_FACE);
    mesh.draw(*material, modelMatrices);
    if (hideBackFaces)
        glDisable(GL_CULL_FACE);
}
