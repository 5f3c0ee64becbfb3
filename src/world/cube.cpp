#include "cube.h"

#include <algorithm>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>

Cube::Cube(btCollisionShape* shape, const glm::mat4& startMatrix, float mass, btDiscreteDynamicsWorld& physicsWorld)
    : world(physicsWorld), start(startMatrix),
      bodyObject(makeRigidBody(mass, shape, toTransform(withoutScale(startMatrix)))),
      supportObject(makeRigidBody(
          0.0f, shape, toTransform(withoutScale(startMatrix * glm::translate(glm::mat4(1.0f), glm::vec3(0, -1, 0)))))),
      model(startMatrix), previousModel(startMatrix)
{
    // A resting cube goes to sleep, so hundreds of them cost the physics step next to nothing;
    // removing its support wakes it (removeSupport), and it falls the moment the support goes.
    // The sensor scans find a touched cube from its body at once.
    bodyObject.body->setUserPointer(this);
}

Cube::~Cube()
{
    world.removeRigidBody(bodyObject.body.get());
    removeSupport();
}

void Cube::addToWorld()
{
    world.addRigidBody(bodyObject.body.get());
    world.addRigidBody(supportObject.body.get());
}

void Cube::mark()
{
    marked = true;
    dropPending = true;
}

void Cube::update(float dt)
{
    btTransform transform;
    bodyObject.motionState->getWorldTransform(transform);
    previousModel = model;
    model = toMatrix(transform);
    if (!dropPending)
        return;
    dropDelay -= dt;
    if (dropDelay <= 0.0f) {
        removeSupport();
        dropPending = false;
    }
}

glm::mat4 Cube::modelMatrix(float blend) const
{
    if (previousModel == model)
        return model;
    const glm::quat rotation =
        glm::slerp(glm::quat_cast(glm::mat3(previousModel)), glm::quat_cast(glm::mat3(model)), blend);
    glm::mat4 between = glm::mat4_cast(rotation);
    between[3] = glm::mix(previousModel[3], model[3], blend);
    return between;
}

void Cube::removeSupport()
{
    if (!supportObject.body)
        return;
    world.removeRigidBody(supportObject.body.get());
    supportObject.body.reset();
    supportObject.motionState.reset();
    bodyObject.body->activate(true);
}

std::uint32_t uniformDraw(std::mt19937& engine, std::uint32_t low, std::uint32_t high)
{
    // Rejection sampling: only whole copies of the range are used, so every value is equally likely.
    const std::uint64_t range = static_cast<std::uint64_t>(high) - low + 1;
    const std::uint64_t limit = (std::uint64_t{1} << 32) / range * range;
    std::uint64_t value;
    do {
        value = engine();
    } while (value >= limit);
    return low + static_cast<std::uint32_t>(value % range);
}

void spawnCubeRows(CubeList& cubes, std::mt19937& random, int rows, btCollisionShape* shape,
                   btDiscreteDynamicsWorld& world, double firstRowOffset, int threshold, int alwaysRows)
{
    cubes.reserve(cubes.size() + 7 * static_cast<size_t>(std::max(rows, 0)));
    for (int i = 0; i < rows; ++i)
        for (int j = -3; j <= 3; ++j) {
            const bool filled = static_cast<int>(uniformDraw(random, 1, 100)) > threshold || i < alwaysRows;
            if (!filled)
                continue;
            const glm::vec3 centre(static_cast<float>(-1.1 * j), -1.0f, static_cast<float>(i * -1.1 - firstRowOffset));
            cubes.push_back(std::make_unique<Cube>(shape, glm::translate(glm::mat4(1.0f), centre), 30.0f, world));
            cubes.back()->addToWorld();
        }
    // Fisher-Yates over the whole list, old cubes included.
    for (size_t p = 1; p < cubes.size(); ++p) {
        const size_t k = uniformDraw(random, 0, static_cast<std::uint32_t>(p));
        if (k != p)
            std::swap(cubes[p], cubes[k]);
    }
}

namespace {

// The cube whose body is `object`: only cube bodies carry a pointer back to their cube.
Cube* cubeOf(const btCollisionObject* object)
{
    return static_cast<Cube*>(object->getUserPointer());
}

// Removes and destroys every cube the sensor overlaps, keeping the others in order, in one pass
// over the list; `scores` tells which of the removed cubes count. The cubes go only once the
// overlap list has been read: destroying one takes its pair out of that list.
template <typename Scores> CubeTally removeOverlappingCubes(CubeList& cubes, const btGhostObject& sensor, Scores scores)
{
    CubeTally scored;
    bool anyRemoved = false;
    for (int i = 0; i < sensor.getNumOverlappingObjects(); ++i) {
        Cube* cube = cubeOf(sensor.getOverlappingObject(i));
        if (cube == nullptr || cube->removalPending)
            continue;
        cube->removalPending = true;
        anyRemoved = true;
        if (scores(*cube))
            scored.add(*cube);
    }
    if (anyRemoved)
        cubes.erase(std::remove_if(cubes.begin(), cubes.end(),
                                   [](const std::unique_ptr<Cube>& cube) { return cube->removalPending; }),
                    cubes.end());
    return scored;
}

} // namespace

CubeTally scanBodySensor(const btGhostObject& bodySensor)
{
    CubeTally touched;
    for (int i = 0; i < bodySensor.getNumOverlappingObjects(); ++i)
        if (Cube* cube = cubeOf(bodySensor.getOverlappingObject(i)); cube != nullptr && !cube->marked) {
            cube->mark();
            touched.add(*cube);
        }
    return touched;
}

CubeTally scanSweepSensor(CubeList& cubes, const btGhostObject& sweepSensor)
{
    return removeOverlappingCubes(cubes, sweepSensor, [](const Cube& cube) { return cube.marked; });
}

CubeTally scanFallSensor(CubeList& cubes, const btGhostObject& fallSensor)
{
    return removeOverlappingCubes(cubes, fallSensor, [](const Cube&) { return true; });
}

const Cube* updateCubes(CubeList& cubes, const CubePassInput& input, std::int64_t& lastDropTicks)
{
    const Cube* timedDrop = nullptr;
    const float interval = std::max(0.5f, input.dropInterval);
    for (const std::unique_ptr<Cube>& cube : cubes) {
        if (input.dropAllRequested && !cube->marked)
            cube->mark();
        const double elapsed = static_cast<double>(input.tick - lastDropTicks) / kTicksPerSecond;
        if (input.shifting && elapsed > interval && !cube->marked) {
            lastDropTicks = input.tick;
            cube->mark();
            timedDrop = cube.get();
        }
        cube->update(input.dt);
    }
    return timedDrop;
}
