#include <gtest/gtest.h>

#include "game_world_fixture.h"

#include <cmath>
#include <set>

#include "cube.h"

void GameWorldTest::SetUp()
{
    physics = std::make_unique<PhysicsWorld>();
    world = std::make_unique<GameWorld>(*physics, 1234, 1280.0f / 768.0f);
}

void GameWorldTest::TearDown()
{
    world.reset();
    physics.reset();
}

TickInput GameWorldTest::standing()
{
    TickInput input;
    input.movementSpeed = 0.0f;
    return input;
}

TickEvents GameWorldTest::tick(TickInput input)
{
    return world->tick(input);
}

void GameWorldTest::play(float seconds, const TickInput& input)
{
    for (int ticks = static_cast<int>(std::lround(seconds * kTicksPerSecond)); ticks > 0; --ticks)
        world->tick(input);
}

int GameWorldTest::strayBodies() const
{
    std::set<const btCollisionObject*> known{&world->player().bodySensor(), &world->player().feetSensor(),
                                             &world->player().sweepSensor(), &world->fallSensor()};
    for (const RigidBody& platform : world->platforms().bodies())
        known.insert(platform.body.get());
    for (const std::unique_ptr<Cube>& cube : world->cubes) {
        known.insert(cube->body());
        if (cube->supported())
            known.insert(cube->support());
    }
    int stray = 0;
    const btCollisionObjectArray& objects = physics->dynamicsWorld->getCollisionObjectArray();
    for (int i = 0; i < objects.size(); ++i)
        stray += known.count(objects[i]) == 0 ? 1 : 0;
    return stray + static_cast<int>(known.size()) - objects.size();
}
