#include "platform.h"

#include <glm/gtc/matrix_transform.hpp>

#include "powerup.h"

std::vector<GeometryData> platformModel;

Platforms::~Platforms()
{
    for (RigidBody& body : platformBodies)
        world.removeRigidBody(body.body.get());
}

void Platforms::createPlatform(const glm::mat4& transform, const std::shared_ptr<Material>& material,
                               btCollisionShape* shape)
{
    previousPlatform = std::move(currentPlatform);
    currentPlatform = instantiateModel(platformModel, transform, material);

    const glm::vec3 up(0.0f, 1.0f, 0.0f);
    const glm::mat4 first = glm::rotate(transform, -0.5235988f, up);
    for (float angle : {0.0f, 1.0471976f, 2.0943952f}) {
        RigidBody body = makeRigidBody(0.0f, shape, toTransform(glm::rotate(first, angle, up)));
        body.body->setActivationState(DISABLE_DEACTIVATION);
        world.addRigidBody(body.body.get());
        platformBodies.push_back(std::move(body));
    }
}

void Platforms::draw()
{
    for (Geometry& mesh : currentPlatform)
        mesh.draw();
    for (Geometry& mesh : previousPlatform)
        mesh.draw();
}
