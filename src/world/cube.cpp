#include "cube.h"

#include <chrono>
#include <glm/gtc/matrix_transform.hpp>

#include "material.h"

std::vector<std::unique_ptr<Cube>> cubes;
GeometryData unitCubeData;
std::mt19937 cubeRandom;

Cube::Cube(btCollisionShape* shape, const GeometryData& mesh, const glm::mat4& startMatrix, float mass,
           std::shared_ptr<Material> material, btDiscreteDynamicsWorld& physicsWorld)
    : world(physicsWorld), start(startMatrix),
      bodyObject(makeRigidBody(mass, shape, toTransform(withoutScale(startMatrix)))),
      supportObject(makeRigidBody(
          0.0f, shape, toTransform(withoutScale(startMatrix * glm::translate(glm::mat4(1.0f), glm::vec3(0, -1, 0)))))),
      drawable(startMatrix, mesh, std::move(material))
{
    // A cube may rest for minutes; it must still fall the moment its support goes.
    bodyObject.body->setActivationState(DISABLE_DEACTIVATION);
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
    drawable.setModelMatrix(toMatrix(transform));
    if (!dropPending)
        return;
    dropDelay -= dt;
    if (dropDelay <= 0.0f) {
        removeSupport();
        dropPending = false;
    }
}

void Cube::removeSupport()
{
    if (!supportObject.body)
        return;
    world.removeRigidBody(supportObject.body.get());
    supportObject.body.reset();
    supportObject.motionState.reset();
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

void spawnCubeRows(int rows, const std::shared_ptr<Material>& material, btCollisionShape* shape,
                   btDiscreteDynamicsWorld& world, double firstRowOffset, int threshold, int alwaysRows)
{
    cubes.reserve(cubes.size() + 7 * static_cast<size_t>(std::max(rows, 0)));
    for (int i = 0; i < rows; ++i)
        for (int j = -3; j <= 3; ++j) {
            const bool filled = static_cast<int>(uniformDraw(cubeRandom, 1, 100)) > threshold || i < alwaysRows;
            if (!filled)
                continue;
            const glm::vec3 centre(static_cast<float>(-1.1 * j), -1.0f, static_cast<float>(i * -1.1 - firstRowOffset));
            cubes.push_back(std::make_unique<Cube>(shape, unitCubeData, glm::translate(glm::mat4(1.0f), centre), 30.0f,
                                                   material, world));
            cubes.back()->addToWorld();
        }
    // Fisher-Yates over the whole list, old cubes included.
    for (size_t p = 1; p < cubes.size(); ++p) {
        const size_t k = uniformDraw(cubeRandom, 0, static_cast<std::uint32_t>(p));
        if (k != p)
            std::swap(cubes[p], cubes[k]);
    }
}

std::vector<const btCollisionObject*> overlappingObjects(const btGhostObject& sensor)
{
    std::vector<const btCollisionObject*> objects;
    objects.reserve(static_cast<size_t>(sensor.getNumOverlappingObjects()));
    for (int i = 0; i < sensor.getNumOverlappingObjects(); ++i)
        objects.push_back(sensor.getOverlappingObject(i));
    return objects;
}

namespace {

// The index of the cube whose body is `object`, searching from `from` down to the first; -1 if none.
long findCube(const btCollisionObject* object, long from)
{
    for (long i = from; i >= 0; --i)
        if (cubes[static_cast<size_t>(i)]->body() == object)
            return i;
    return -1;
}

// Removes and destroys every cube the sensor overlaps; `scores` tells which of them count.
template <typename Scores> int removeOverlappingCubes(const btGhostObject& sensor, Scores scores)
{
    int scored = 0;
    // A snapshot: destroying a cube takes its pair out of the sensor's live list.
    for (const btCollisionObject* object : overlappingObjects(sensor)) {
        for (long i = findCube(object, static_cast<long>(cubes.size()) - 1); i >= 0; i = findCube(object, i - 1)) {
            if (scores(*cubes[static_cast<size_t>(i)]))
                ++scored;
            cubes.erase(cubes.begin() + i);
        }
    }
    return scored;
}

} // namespace

void scanBodySensor(const btGhostObject& bodySensor)
{
    for (const btCollisionObject* object : overlappingObjects(bodySensor))
        for (long i = findCube(object, static_cast<long>(cubes.size()) - 1); i >= 0; i = findCube(object, i - 1))
            if (!cubes[static_cast<size_t>(i)]->marked)
                cubes[static_cast<size_t>(i)]->mark();
}

int scanSweepSensor(const btGhostObject& sweepSensor)
{
    return removeOverlappingCubes(sweepSensor, [](const Cube& cube) { return cube.marked; });
}

int scanFallSensor(const btGhostObject& fallSensor)
{
    return removeOverlappingCubes(fallSensor, [](const Cube&) { return true; });
}

void updateCubes(const CubePassInput& input, std::int64_t& lastDropTicks)
{
    if (input.paused)
        return;
    const float interval = std::max(0.5f, input.dropInterval);
    for (const std::unique_ptr<Cube>& cube : cubes) {
        if (input.dropAllRequested && !cube->marked)
            cube->mark();
        const double elapsed = static_cast<double>(input.nowTicks - lastDropTicks) / 10000000.0;
        if (input.shifting && elapsed > interval && !cube->marked) {
            lastDropTicks = input.nowTicks;
            cube->mark();
        }
        cube->update(input.dt);
    }
}

void drawCubes()
{
    for (const std::unique_ptr<Cube>& cube : cubes)
        cube->draw();
}

std::int64_t wallClockTicks()
{
    using Ticks = std::chrono::duration<std::int64_t, std::ratio<1, 10000000>>;
    return std::chrono::duration_cast<Ticks>(std::chrono::system_clock::now().time_since_epoch()).count();
}
