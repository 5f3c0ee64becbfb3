#include "powerup.h"

#include <glm/gtc/matrix_transform.hpp>

std::vector<Geometry> instantiateModel(const std::vector<GeometryData>& model, const glm::mat4& matrix,
                                       const std::shared_ptr<Material>& material)
{
    std::vector<Geometry> drawables;
    drawables.reserve(model.size());
    for (const GeometryData& mesh : model)
        drawables.emplace_back(matrix, mesh, material);
    return drawables;
}

void Powerup::place(const std::vector<GeometryData>& model, glm::vec3 position,
                    const std::shared_ptr<Material>& material)
{
    meshes.clear();
    meshes = instantiateModel(model, glm::translate(glm::mat4(1.0f), position), material);
}

void Powerup::spinAndDraw(float dt)
{
    for (Geometry& mesh : meshes) {
        mesh.setModelMatrix(glm::rotate(mesh.getModelMatrix(), 5.0f * dt, glm::vec3(0.0f, 1.0f, 0.0f)));
        mesh.draw();
    }
}
