#include "physics_world.h"

#include <glm/gtc/type_ptr.hpp>

PhysicsWorld::PhysicsWorld() : PhysicsWorld(btVector3(0.0f, -9.81f, 0.0f))
{
}

PhysicsWorld::PhysicsWorld(const btVector3& gravity)
    : collisionConfiguration(std::make_unique<btDefaultCollisionConfiguration>()),
      dispatcher(std::make_unique<btCollisionDispatcher>(collisionConfiguration.get())),
      broadphase(std::make_unique<btDbvtBroadphase>()), solver(std::make_unique<btSequentialImpulseConstraintSolver>()),
      dynamicsWorld(std::make_unique<btDiscreteDynamicsWorld>(dispatcher.get(), broadphase.get(), solver.get(),
                                                              collisionConfiguration.get())),
      ghostPairCallback(std::make_unique<btGhostPairCallback>())
{
    dynamicsWorld->setGravity(gravity);
    // Only what moved needs its bounding box again: the sleeping cubes, the supports and the
    // platforms are most of the world.
    dynamicsWorld->setForceUpdateAllAabbs(false);
    broadphase->getOverlappingPairCache()->setInternalGhostPairCallback(ghostPairCallback.get());
}

PhysicsWorld::~PhysicsWorld()
{
    // Whatever is still in the world belongs to its owners; the world only lets go of it.
    for (int i = dynamicsWorld->getNumCollisionObjects() - 1; i >= 0; --i)
        dynamicsWorld->removeCollisionObject(dynamicsWorld->getCollisionObjectArray()[i]);
    broadphase->getOverlappingPairCache()->setInternalGhostPairCallback(nullptr);
}

void PhysicsWorld::step()
{
    dynamicsWorld->stepSimulation(kTickSeconds, 2, kTickSeconds);
}

RigidBody makeRigidBody(float mass, btCollisionShape* shape, const btTransform& start)
{
    btVector3 inertia(0, 0, 0);
    if (mass != 0.0f)
        shape->calculateLocalInertia(mass, inertia);
    RigidBody result;
    result.motionState = std::make_unique<btDefaultMotionState>(start);
    result.body = std::make_unique<btRigidBody>(
        btRigidBody::btRigidBodyConstructionInfo(mass, result.motionState.get(), shape, inertia));
    return result;
}

std::unique_ptr<btGhostObject> makeSensor(btDiscreteDynamicsWorld& world, btCollisionShape* shape,
                                          const btTransform& start, int group, int mask, bool keepAwake)
{
    auto sensor = std::make_unique<btGhostObject>();
    sensor->setCollisionShape(shape);
    sensor->setWorldTransform(start);
    sensor->setCollisionFlags(sensor->getCollisionFlags() | btCollisionObject::CF_NO_CONTACT_RESPONSE);
    if (keepAwake)
        sensor->setActivationState(DISABLE_DEACTIVATION);
    world.addCollisionObject(sensor.get(), group, mask);
    return sensor;
}

btTransform toTransform(const glm::mat4& matrix)
{
    btTransform transform;
    transform.setFromOpenGLMatrix(glm::value_ptr(matrix));
    return transform;
}

glm::mat4 toMatrix(const btTransform& transform)
{
    glm::mat4 matrix;
    transform.getOpenGLMatrix(glm::value_ptr(matrix));
    return matrix;
}

glm::mat4 withoutScale(glm::mat4 matrix)
{
    for (int column = 0; column < 3; ++column)
        matrix[column] =
            glm::vec4(glm::vec3(matrix[column]) / glm::length(glm::vec3(matrix[column])), matrix[column].w);
    return matrix;
}

std::unique_ptr<btGhostObject> makeFallSensor(btDiscreteDynamicsWorld& world, btCollisionShape* shape)
{
    btTransform start;
    start.setIdentity();
    start.setOrigin(btVector3(0, -20, 0));
    return makeSensor(world, shape, start, kStaticGroup, kAllButStatic, false);
}
