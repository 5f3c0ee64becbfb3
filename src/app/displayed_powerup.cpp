#include "displayed_powerup.h"

#include <glm/gtc/matrix_transform.hpp>

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
