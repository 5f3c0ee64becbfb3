#pragma once

#include <memory>

#include "camera.h"
#include "physics_world.h"

// What the player is asked to do in one running frame.
struct PlayerInput {
    bool forward = false;
    bool backward = false;
    bool left = false;
    bool right = false;
    bool jump = false;
    bool glideAllowed = false;
};

// The first-person runner: a camera moved by the game's own rules and three ghost sensors that
// follow it. The body sensor tells which cubes it touches, the sweep sensor 12 units behind
// removes the cubes it has left behind, the feet sensor whether it stands on something.
class Player {
public:
    Player(const glm::mat4& start, float size, float aspectRatio, PhysicsWorld& world);
    ~Player();

    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // One tick: movement keys, the automatic run, a jump request and the vertical motion.
    // Returns whether a jump left the ground.
    bool step(const PlayerInput& input, float dt);

    // Runs forward at twice the movement speed and moves by the vertical speed.
    void autoRun(float dt);
    // A jump from the ground, if the last one has cooled down; every request sets gliding.
    // Returns whether the jump was made.
    bool handleJump(bool glideAllowed);
    // Ground test, falling, cooldown, and the sensors follow the camera.
    void updatePlayer(float dt);

    Camera camera;
    // The camera as it was before the last tick moved it: frames are drawn between the two.
    Camera previousCamera;

    btGhostObject& bodySensor() const { return *bodySensorObject; }
    btGhostObject& feetSensor() const { return *feetSensorObject; }
    btGhostObject& sweepSensor() const { return *sweepSensorObject; }

    float verticalSpeed = 0.0f;
    bool onGround = true;
    bool canJump = true;
    bool gliding = false;
    float jumpCooldown = 0.0f;
    float groundTime = 0.0f;

    static constexpr float kJumpCooldown = 0.4f;
    static constexpr float kGroundSettleTime = 0.05f;
    static constexpr float kMaxJumpSpeed = 12.0f;
    static constexpr float kTerminalFallSpeed = -7.81f;
    static constexpr float kFallAcceleration = 7.0f;
    static constexpr float kJumpBoost = 3.0f;

    // Objects whose bounding box overlaps the feet now, the player's own body sensor included.
    int feetContacts() const;

private:
    void moveSensors();

    btDiscreteDynamicsWorld& world;
    btCollisionShape* bodyShape;
    btCollisionShape* feetShape;
    btCollisionShape* sweepShape;
    glm::vec3 feetOffset;
    glm::vec3 sweepOffset;
    std::unique_ptr<btGhostObject> bodySensorObject;
    std::unique_ptr<btGhostObject> feetSensorObject;
    std::unique_ptr<btGhostObject> sweepSensorObject;
};
