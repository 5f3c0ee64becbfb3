#include "game_world.h"

#include <cmath>
#include <cstdlib>
#include <glm/gtc/matrix_transform.hpp>

#include "app_state.h"
#include "model_loader.h"

namespace {

// The C library's generator, never seeded: the first powerup is the same on every run.
PowerupKind randomPowerupKind()
{
    return std::rand() % 2 == 1 ? PowerupKind::DoublePoints : PowerupKind::Glide;
}

} // namespace

GameWorld::GameWorld(PhysicsWorld& physicsWorld, WorldMaterials worldMaterials, float aspectRatio)
    : physics(physicsWorld), materials(std::move(worldMaterials)),
      cubeShape(physics.addShape<btBoxShape>(btVector3(0.5f, 0.5f, 0.5f))),
      fallSensorShape(physics.addShape<btBoxShape>(btVector3(10000.0f, 3.0f, 10000.0f))),
      platformShape(physics.addShape<btBoxShape>(btVector3(7.0f, 0.2f, 4.5f))), platformTrack(*physics.dynamicsWorld),
      cubeDrawer(unitCubeData, materials.walls)
{
    spawnCubeRows(81, cubeShape, *physics.dynamicsWorld, 0.0, 50, 3);
    platformTrack.createPlatform(platformTransform(-100.0f), materials.procedural, platformShape);

    glideModel = loadModelAsset(kGlideModelFile);
    doublePointsModel = loadModelAsset(kDoublePointsModelFile);
    placedKind = randomPowerupKind();
    activeKind = PowerupKind::None;
    displayedPowerup.place(modelOf(placedKind), glm::vec3(0.0f, 1.0f, -100.0f), materials.wood);

    fallSensorObject = makeFallSensor(*physics.dynamicsWorld, fallSensorShape);
    playerObject = std::make_unique<Player>(glm::mat4(1.0f), 1.0f, aspectRatio, physics);
}

GameWorld::~GameWorld()
{
    // The cubes hold bodies in this world; they go before it does.
    cubes.clear();
    physics.dynamicsWorld->removeCollisionObject(fallSensorObject.get());
}

glm::mat4 GameWorld::platformTransform(float z)
{
    return glm::rotate(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -0.5f, z)), 0.5235988f,
                       glm::vec3(0.0f, 1.0f, 0.0f));
}

const std::vector<GeometryData>& GameWorld::modelOf(PowerupKind kind) const
{
    return kind == PowerupKind::DoublePoints ? doublePointsModel : glideModel;
}

void GameWorld::runningStep(PlayerInput input, float dt)
{
    input.glideAllowed = activeKind == PowerupKind::Glide;
    playerObject->step(input, dt);
    physics.step();
    scanBodySensor(playerObject->bodySensor());
    score(scanSweepSensor(playerObject->sweepSensor()));
    score(scanFallSensor(*fallSensorObject));
}

void GameWorld::updateCubes(bool paused, bool dropAllRequested, float dt, std::int64_t nowTicks)
{
    CubePassInput input;
    input.paused = paused;
    input.dropAllRequested = dropAllRequested;
    input.shifting = segments.shifting;
    input.dropInterval = segments.dropInterval;
    input.dt = dt;
    input.nowTicks = nowTicks;
    ::updateCubes(input, lastDropTicks);
}

void GameWorld::draw(float dt, bool cullCubeBackFaces)
{
    cubeDrawer.draw(playerObject->camera.position, cullCubeBackFaces);
    displayedPowerup.spinAndDraw(dt);
    platformTrack.draw();
}

void GameWorld::score(int cubeCount)
{
    points += cubeCount * (activeKind == PowerupKind::DoublePoints ? 2 : 1);
}

RuleEvents GameWorld::applyRules()
{
    RuleEvents events;
    const glm::vec3& position = playerObject->camera.position;
    // A height that is not a number never ends the game.
    events.gameOver = position.y <= -10.0f;

    if (std::abs(position.z) > segments.segmentLimitF) {
        extendTrack();
        events.extended = true;
    }
    if (segments.powerupPending && std::abs(position.z) > static_cast<float>(segments.segmentLimit - 90)) {
        collectPowerup();
        events.collected = true;
    }
    return events;
}

void GameWorld::extendTrack()
{
    segments.densityThreshold += 10;
    const int threshold = std::min(segments.densityThreshold, 90);
    spawnCubeRows(72, cubeShape, *physics.dynamicsWorld, segments.segmentLimit + 20.0, threshold, 0);
    segments.segmentLimit += 100;
    segments.segmentLimitF = static_cast<float>(segments.segmentLimit);
    segments.platformZ = -100.0f * std::ceil(static_cast<float>(segments.segmentLimit) / 100.0f);
    platformTrack.createPlatform(platformTransform(segments.platformZ), materials.procedural, platformShape);
    segments.powerupPending = true;
    segments.shifting = !segments.shifting;
    segments.dropInterval = segments.dropInterval / 1.3f;
}

void GameWorld::collectPowerup()
{
    activeKind = placedKind;
    segments.powerupPending = false;
    placedKind = randomPowerupKind();
    displayedPowerup.place(modelOf(placedKind), glm::vec3(0.0f, 1.0f, segments.platformZ), materials.wood);
}
