#pragma once

#include <btBulletDynamicsCommon.h>

#include <BulletCollision/CollisionDispatch/btGhostObject.h>
#include <glm/glm.hpp>
#include <memory>
#include <vector>

// The game advances in ticks of exactly 1/60 s: one physics step per tick, and every rule with it.
inline constexpr int kTicksPerSecond = 60;
inline constexpr float kTickSeconds = 1.0f / kTicksPerSecond;

// The Bullet world every body and sensor of the game lives in, with the shapes they share.
// It must outlive everything that holds a body or sensor in it.
struct PhysicsWorld {
    // The game's world: gravity of 9.81 downwards.
    PhysicsWorld();
    explicit PhysicsWorld(const btVector3& gravity);
    ~PhysicsWorld();

    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;

    // Keeps the shape for the life of the world and lists it in `collisionShapes`.
    template <typename Shape, typename... Args> Shape* addShape(Args&&... args)
    {
        auto shape = std::make_unique<Shape>(std::forward<Args>(args)...);
        Shape* raw = shape.get();
        ownedShapes.push_back(std::move(shape));
        collisionShapes.push_back(raw);
        return raw;
    }

    // One tick's step of 1/60 s.
    void step();

    std::unique_ptr<btDefaultCollisionConfiguration> collisionConfiguration;
    std::unique_ptr<btCollisionDispatcher> dispatcher;
    std::unique_ptr<btDbvtBroadphase> broadphase;
    std::unique_ptr<btSequentialImpulseConstraintSolver> solver;
    std::unique_ptr<btDiscreteDynamicsWorld> dynamicsWorld;
    // Feeds the sensors' overlap lists; installed with the world so no early pair is missed.
    std::unique_ptr<btGhostPairCallback> ghostPairCallback;
    btAlignedObjectArray<btCollisionShape*> collisionShapes;

private:
    std::vector<std::unique_ptr<btCollisionShape>> ownedShapes;
};

// Collision filter groups and masks of the game's objects.
inline constexpr int kDynamicGroup = btBroadphaseProxy::DefaultFilter;
inline constexpr int kStaticGroup = btBroadphaseProxy::StaticFilter;
inline constexpr int kEverything = btBroadphaseProxy::AllFilter;
inline constexpr int kAllButStatic = btBroadphaseProxy::AllFilter ^ btBroadphaseProxy::StaticFilter;

// A rigid body with the motion state it reads its transform from.
struct RigidBody {
    std::unique_ptr<btDefaultMotionState> motionState;
    std::unique_ptr<btRigidBody> body;
};

// A body of `mass` (0: static) on `shape` at `start`; not yet added to any world.
RigidBody makeRigidBody(float mass, btCollisionShape* shape, const btTransform& start);

// An overlap-only ghost sensor added to the world with the given filter.
std::unique_ptr<btGhostObject> makeSensor(btDiscreteDynamicsWorld& world, btCollisionShape* shape,
                                          const btTransform& start, int group, int mask, bool keepAwake);

// Between column-major model matrices and physics transforms.
btTransform toTransform(const glm::mat4& matrix);
glm::mat4 toMatrix(const btTransform& transform);
// The matrix with each of its first three columns scaled to unit length.
glm::mat4 withoutScale(glm::mat4 matrix);

// The wide box far below the track that catches every falling cube.
std::unique_ptr<btGhostObject> makeFallSensor(btDiscreteDynamicsWorld& world, btCollisionShape* shape);
