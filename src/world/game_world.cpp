#include "game_world.h"

#include <cmath>
#include <cstring>
#include <glm/gtc/matrix_transform.hpp>

namespace {

// Two generators from one seed: the track's takes the seed as it is, so a seed names the same
// track it always has; the powerups' takes it mixed, so the two sequences are unrelated.
constexpr std::uint32_t kPowerupSeedMix = 0x9E3779B9u;

} // namespace

GameWorld::GameWorld(PhysicsWorld& physicsWorld, std::uint32_t seed, float aspectRatio)
    : physics(physicsWorld), trackRandom(seed), powerupRandom(seed ^ kPowerupSeedMix),
      cubeShape(physics.addShape<btBoxShape>(btVector3(0.5f, 0.5f, 0.5f))),
      fallSensorShape(physics.addShape<btBoxShape>(btVector3(10000.0f, 3.0f, 10000.0f))),
      platformShape(physics.addShape<btBoxShape>(btVector3(7.0f, 0.2f, 4.5f))), platformTrack(*physics.dynamicsWorld)
{
    spawnCubeRows(cubes, trackRandom, 81, cubeShape, *physics.dynamicsWorld, 0.0, 50, 3);
    platformTrack.createPlatform(platformTransform(-100.0f), platformShape);
    placedKind = randomPowerupKind();
    activeKind = PowerupKind::None;
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

PowerupKind GameWorld::randomPowerupKind()
{
    return uniformDraw(powerupRandom, 0, 1) == 1 ? PowerupKind::DoublePoints : PowerupKind::Glide;
}

TickEvents GameWorld::tick(const TickInput& input)
{
    ++tickCount;
    Player& player = *playerObject;
    player.previousCamera = player.camera;
    player.camera.turnTo(input.yaw, input.pitch);
    player.camera.movementSpeed = input.movementSpeed;
    PlayerInput moves;
    moves.forward = input.forward;
    moves.backward = input.backward;
    moves.left = input.left;
    moves.right = input.right;
    moves.jump = input.jump;
    TickEvents events;
    runningStep(moves, events);
    updateCubes(input.dropAll, events);
    const TickEvents rules = applyRules();
    events.gameOver = rules.gameOver;
    events.extended = rules.extended;
    events.collected = rules.collected;
    return events;
}

void GameWorld::runningStep(PlayerInput input, TickEvents& events)
{
    Player& player = *playerObject;
    input.glideAllowed = activeKind == PowerupKind::Glide;
    events.jumped = player.step(input, kTickSeconds);
    events.glided = events.jumped && player.gliding;
    physics.step();
    const float runnerX = player.camera.position.x;
    const auto meanSide = [&](const CubeTally& tally) {
        return tally.count > 0 ? tally.xSum / static_cast<float>(tally.count) - runnerX : 0.0f;
    };
    const CubeTally touched = scanBodySensor(player.bodySensor());
    CubeTally scored = scanSweepSensor(cubes, player.sweepSensor());
    score(scored.count);
    const CubeTally fallen = scanFallSensor(cubes, *fallSensorObject);
    score(fallen.count);
    scored.count += fallen.count;
    scored.xSum += fallen.xSum;
    events.touched = touched.count;
    events.touchedSide = meanSide(touched);
    events.scored = scored.count;
    events.scoredSide = meanSide(scored);
}

void GameWorld::updateCubes(bool dropAllRequested, TickEvents& events)
{
    CubePassInput input;
    input.dropAllRequested = dropAllRequested;
    input.shifting = segments.shifting;
    input.dropInterval = segments.dropInterval;
    input.dt = kTickSeconds;
    input.tick = tickCount;
    if (const Cube* dropped = ::updateCubes(cubes, input, lastDropTicks)) {
        events.timedDrop = true;
        events.timedDropSide = dropped->position().x - playerObject->camera.position.x;
    }
}

void GameWorld::score(int cubeCount)
{
    points += cubeCount * (activeKind == PowerupKind::DoublePoints ? 2 : 1);
}

bool GameWorld::over() const
{
    // A height that is not a number never ends the game.
    return playerObject->camera.position.y <= -10.0f;
}

TickEvents GameWorld::applyRules()
{
    TickEvents events;
    const glm::vec3& position = playerObject->camera.position;
    events.gameOver = over();

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
    spawnCubeRows(cubes, trackRandom, 72, cubeShape, *physics.dynamicsWorld, segments.segmentLimit + 20.0, threshold,
                  0);
    segments.segmentLimit += 100;
    segments.segmentLimitF = static_cast<float>(segments.segmentLimit);
    segments.platformZ = -100.0f * std::ceil(static_cast<float>(segments.segmentLimit) / 100.0f);
    platformTrack.createPlatform(platformTransform(segments.platformZ), platformShape);
    segments.powerupPending = true;
    segments.shifting = !segments.shifting;
    segments.dropInterval = segments.dropInterval / 1.3f;
}

void GameWorld::collectPowerup()
{
    activeKind = placedKind;
    segments.powerupPending = false;
    placedKind = randomPowerupKind();
    powerupZ = segments.platformZ;
}

namespace {

// FNV-1a over the bytes of each value, in the order they are added.
class StateHash {
public:
    template <typename T> void add(const T& value)
    {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char byte : bytes)
            hash = (hash ^ byte) * 0x100000001B3ull;
    }
    void add(const glm::vec3& value)
    {
        add(value.x);
        add(value.y);
        add(value.z);
    }
    std::uint64_t value() const { return hash; }

private:
    std::uint64_t hash = 0xCBF29CE484222325ull;
};

} // namespace

std::uint64_t worldStateHash(const GameWorld& world)
{
    StateHash hash;
    hash.add(world.ticks());
    hash.add(world.points);
    const Player& player = world.player();
    hash.add(player.camera.position);
    hash.add(player.camera.yaw);
    hash.add(player.camera.pitch);
    hash.add(player.camera.movementSpeed);
    hash.add(player.verticalSpeed);
    hash.add(player.jumpCooldown);
    hash.add(player.groundTime);
    hash.add(static_cast<std::uint8_t>(player.onGround | player.canJump << 1 | player.gliding << 2));
    const SegmentState& segments = world.segments;
    hash.add(segments.densityThreshold);
    hash.add(segments.segmentLimit);
    hash.add(segments.dropInterval);
    hash.add(static_cast<std::uint8_t>(segments.shifting | segments.powerupPending << 1));
    hash.add(static_cast<int>(world.placedKind));
    hash.add(static_cast<int>(world.activeKind));
    hash.add(world.lastDropTicks);
    hash.add(static_cast<std::uint64_t>(world.cubes.size()));
    for (const std::unique_ptr<Cube>& cube : world.cubes) {
        const glm::mat4& model = cube->modelMatrix();
        for (int column = 0; column < 4; ++column)
            hash.add(glm::vec3(model[column]));
        hash.add(cube->dropDelay);
        hash.add(static_cast<std::uint8_t>(cube->marked | cube->dropPending << 1 | cube->supported() << 2));
    }
    return hash.value();
}
