#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "cube.h"
#include "physics_world.h"
#include "platform.h"
#include "player.h"
#include "powerup.h"

class Material;

// How far the track has grown and what the next segment will be like.
struct SegmentState {
    std::int32_t densityThreshold = 50;
    std::int32_t segmentLimit = 90;
    float segmentLimitF = 90.0f;
    float dropInterval = 2.0f;
    bool shifting = false;
    bool powerupPending = false;
    float platformZ = 0.0f;
};

struct WorldMaterials {
    std::shared_ptr<Material> walls;      // cubes, drawn many in one draw
    std::shared_ptr<Material> procedural; // platforms
    std::shared_ptr<Material> wood;       // powerups
};

// What the rules did in one frame.
struct RuleEvents {
    bool gameOver = false;
    bool extended = false;
    bool collected = false;
};

// The playable world without window or HUD: the player, the track of cubes and platforms, the
// powerups and the game rules. Every frame's inputs come in as arguments, so whole games can be
// played frame by frame in tests.
class GameWorld {
public:
    // The start of the track: cube rows, the first platform with its powerup, the fall sensor and
    // the player at the origin.
    GameWorld(PhysicsWorld& physics, WorldMaterials materials, float aspectRatio);
    ~GameWorld();

    GameWorld(const GameWorld&) = delete;
    GameWorld& operator=(const GameWorld&) = delete;

    // The running part of a frame: the player moves, the world takes one fixed step, and the
    // body, sweep and fall sensors are scanned, scoring the cubes they remove.
    void runningStep(PlayerInput input, float dt);

    // The cube pass's rules for this frame (drawing is separate).
    void updateCubes(bool paused, bool dropAllRequested, float dt, std::int64_t nowTicks);

    // Cubes, the spinning powerup, and the two newest platforms. `cullCubeBackFaces` as for
    // CubeDrawer::draw: only where culling is off, the depth test on and polygons filled.
    void draw(float dt, bool cullCubeBackFaces);

    // Game over at a height of -10, then track extension and powerup collection.
    RuleEvents applyRules();

    // Adds the points of `cubeCount` removed cubes: 2 each under double points, else 1.
    void score(int cubeCount);

    Player& player() { return *playerObject; }
    const Platforms& platforms() const { return platformTrack; }
    const Powerup& powerup() const { return displayedPowerup; }
    const btGhostObject& fallSensor() const { return *fallSensorObject; }

    SegmentState segments;
    PowerupKind placedKind = PowerupKind::Glide;
    PowerupKind activeKind = PowerupKind::None;

private:
    void extendTrack();
    void collectPowerup();
    static glm::mat4 platformTransform(float z);
    const std::vector<GeometryData>& modelOf(PowerupKind kind) const;

    PhysicsWorld& physics;
    WorldMaterials materials;
    btCollisionShape* cubeShape;
    btCollisionShape* fallSensorShape;
    btCollisionShape* platformShape;
    Platforms platformTrack;
    CubeDrawer cubeDrawer;
    std::vector<GeometryData> glideModel;
    std::vector<GeometryData> doublePointsModel;
    Powerup displayedPowerup;
    std::unique_ptr<btGhostObject> fallSensorObject;
    std::unique_ptr<Player> playerObject;
};
