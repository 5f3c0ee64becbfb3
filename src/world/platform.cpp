#include "platform.h"

#include <algorithm>
#include <glm/gtc/matrix_transform.hpp>

Platforms::~Platforms()
{
    for (RigidBody& body : platformBodies)
        world.removeRigidBody(body.body.get());
}

void Platforms::createPlatform(const glm::mat4& transform, btCollisionShape* shape)
{
    shownTransforms.insert(shownTransforms.begin(), transform);
    shownTransforms.resize(std::min<size_t>(shownTransforms.size(), 2));

    const glm::vec3 up(0.0f, 1.0f, 0.0f);
    const glm::mat4 first = glm::rotate(transform, -0.5235988f, up);
    for (float angle : {0.0f, 1.0471976f, 2.0943952f}) {
        RigidBody body = makeRigidBody(0.0f, shape, toTransform(glm::rotate(first, angle, up)));
        body.body->setActivationState(DISABLE_DEACTIVATION);
        world.addRigidBody(body.body.get());
        platformBodies.push_back(std::move(body));
    }
}
