#include "player.h"

namespace {

btTransform movedBy(const btTransform& base, const glm::vec3& offset)
{
    btTransform moved = base;
    moved.setOrigin(base.getOrigin() + btVector3(offset.x, offset.y, offset.z));
    return moved;
}

btTransform at(const glm::vec3& position)
{
    btTransform transform;
    transform.setIdentity();
    transform.setOrigin(btVector3(position.x, position.y, position.z));
    return transform;
}

} // namespace

Player::Player(const glm::mat4& start, float size, float aspectRatio, PhysicsWorld& physics)
    : camera(glm::vec3(start[3]), aspectRatio), previousCamera(camera), world(*physics.dynamicsWorld),
      bodyShape(physics.addShape<btCapsuleShape>(1.0f, 2.0f * size)),
      feetShape(physics.addShape<btBoxShape>(btVector3(0.4f, 0.2f, 0.4f))),
      sweepShape(physics.addShape<btBoxShape>(btVector3(50.0f, 40.0f, 0.5f))),
      feetOffset(0.0f, -(0.5f * size - 0.1f), 0.0f), sweepOffset(camera.front * -12.0f)
{
    const btTransform base = toTransform(withoutScale(start));
    bodySensorObject = makeSensor(world, bodyShape, base, kStaticGroup, kAllButStatic, false);
    feetSensorObject = makeSensor(world, feetShape, movedBy(base, feetOffset), kDynamicGroup, kEverything, true);
    sweepSensorObject = makeSensor(world, sweepShape, movedBy(base, sweepOffset), kStaticGroup, kAllButStatic, true);
}

Player::~Player()
{
    world.removeCollisionObject(sweepSensorObject.get());
    world.removeCollisionObject(feetSensorObject.get());
    world.removeCollisionObject(bodySensorObject.get());
}

bool Player::step(const PlayerInput& input, float dt)
{
    if (input.forward)
        camera.processKeyboard(CameraMovement::Forward, dt);
    if (input.backward)
        camera.processKeyboard(CameraMovement::Backward, dt);
    if (input.left)
        camera.processKeyboard(CameraMovement::Left, dt);
    if (input.right)
        camera.processKeyboard(CameraMovement::Right, dt);
    autoRun(dt);
    const bool jumped = input.jump && handleJump(input.glideAllowed);
    updatePlayer(dt);
    return jumped;
}

void Player::autoRun(float dt)
{
    camera.position += camera.flatFront() * (2.0f * camera.movementSpeed * dt) + camera.worldUp * verticalSpeed * dt;
}

bool Player::handleJump(bool glideAllowed)
{
    gliding = glideAllowed;
    if (!onGround || !canJump)
        return false;
    canJump = false;
    jumpCooldown = kJumpCooldown;
    verticalSpeed = std::min(verticalSpeed + kJumpBoost, kMaxJumpSpeed);
    return true;
}

int Player::feetContacts() const
{
    // The broadphase drops stale pairs only a few at a time, so its list can name objects the
    // feet left several frames ago; each is checked against the feet's box as it is now.
    btVector3 feetMin, feetMax;
    feetShape->getAabb(feetSensorObject->getWorldTransform(), feetMin, feetMax);
    int contacts = 0;
    for (int i = 0; i < feetSensorObject->getNumOverlappingObjects(); ++i) {
        const btCollisionObject* object = feetSensorObject->getOverlappingObject(i);
        btVector3 objectMin, objectMax;
        object->getCollisionShape()->getAabb(object->getWorldTransform(), objectMin, objectMax);
        if (TestAabbAgainstAabb2(feetMin, feetMax, objectMin, objectMax))
            ++contacts;
    }
    return contacts;
}

void Player::updatePlayer(float dt)
{
    // The feet always overlap the player's own body sensor; anything more is ground.
    if (feetContacts() >= 2) {
        onGround = true;
        if (verticalSpeed <= 0.0f)
            verticalSpeed = 0.0f;
        if (!canJump) {
            if (groundTime >= kGroundSettleTime) {
                if (jumpCooldown <= 0.0f) {
                    canJump = true;
                    groundTime = 0.0f;
                }
            } else {
                groundTime += dt;
            }
        }
    } else {
        onGround = false;
        const float limit = gliding ? kTerminalFallSpeed * 0.5f : kTerminalFallSpeed;
        const float deceleration = gliding ? kFallAcceleration * 0.3f : kFallAcceleration;
        if (verticalSpeed > limit) {
            verticalSpeed -= dt * deceleration;
            if (verticalSpeed <= limit)
                verticalSpeed = limit;
        }
    }
    if (jumpCooldown > 0.0f)
        jumpCooldown -= dt;
    moveSensors();
}

void Player::moveSensors()
{
    bodySensorObject->setWorldTransform(at(camera.position));
    feetSensorObject->setWorldTransform(at(camera.position + feetOffset));
    sweepSensorObject->setWorldTransform(at(camera.position + sweepOffset));
}
