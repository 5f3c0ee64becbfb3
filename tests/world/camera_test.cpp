#include <gtest/gtest.h>

#include "camera.h"
#include "mouse_input.h"
#include "player.h"

TEST(Camera, StartsLookingDownTheTrackWithAFixedProjection)
{
    const Camera camera(glm::vec3(0.0f), 1280.0f / 768.0f);
    EXPECT_NEAR(camera.front.x, 0.0f, 1e-6f);
    EXPECT_NEAR(camera.front.z, -1.0f, 1e-6f);
    EXPECT_NEAR(camera.projection[1][1], 1.0f / std::tan(glm::radians(22.5f)), 1e-5f);
    EXPECT_NEAR(camera.projection[0][0], camera.projection[1][1] * 768.0f / 1280.0f, 1e-5f);
    EXPECT_NEAR(camera.projection[2][2], -1.002002f, 1e-6f);
    EXPECT_EQ(camera.projection[2][3], -1.0f);
    EXPECT_NEAR(camera.projection[3][2], -0.2002002f, 1e-6f);
}

TEST(Camera, MouseLookStaysWithinItsLimits)
{
    Camera camera(glm::vec3(0.0f), 1.0f);
    camera.look(0.0f, 100000.0f);
    EXPECT_EQ(camera.pitch, 89.0f);
    camera.look(0.0f, -100000.0f);
    EXPECT_EQ(camera.pitch, -89.0f);
    camera.look(100000.0f, 0.0f);
    EXPECT_EQ(camera.yaw, -60.0f);
    camera.look(-100000.0f, 0.0f);
    EXPECT_EQ(camera.yaw, -120.0f);
    EXPECT_GT(camera.front.x, -0.51f); // never more than 30 degrees off the track
}

TEST(Camera, TheWheelSetsTheSpeedBetweenPointThreeAndThree)
{
    Camera camera(glm::vec3(0.0f), 1.0f);
    camera.scroll(-1.0f);
    EXPECT_FLOAT_EQ(camera.movementSpeed, 1.2f);
    for (int notch = 0; notch < 20; ++notch)
        camera.scroll(1.0f);
    EXPECT_FLOAT_EQ(camera.movementSpeed, 0.3f);
    for (int notch = 0; notch < 20; ++notch)
        camera.scroll(-1.0f);
    EXPECT_FLOAT_EQ(camera.movementSpeed, 3.0f);
}

TEST(Camera, ForwardAndBackwardKeepTheHeight)
{
    Camera camera(glm::vec3(0.0f), 1.0f);
    camera.look(0.0f, 400.0f); // looking up
    camera.processKeyboard(CameraMovement::Forward, 1.0f);
    EXPECT_EQ(camera.position.y, 0.0f);
    EXPECT_NEAR(camera.position.z, -1.0f, 1e-5f);
    camera.processKeyboard(CameraMovement::Backward, 1.0f);
    EXPECT_NEAR(glm::length(camera.position), 0.0f, 1e-5f);
    camera.processKeyboard(CameraMovement::Right, 0.5f);
    EXPECT_NEAR(camera.position.x, 0.5f, 1e-5f);
    camera.processKeyboard(CameraMovement::Left, 0.5f);
    EXPECT_NEAR(camera.position.x, 0.0f, 1e-5f);
}

TEST(CursorTracker, TheFirstEventAndPausedMovementDoNotTurn)
{
    Camera camera(glm::vec3(0.0f), 1.0f);
    CursorTracker tracker;
    tracker.moveTo(&camera, 500.0f, 300.0f);
    EXPECT_EQ(camera.yaw, -90.0f);
    EXPECT_EQ(camera.pitch, 0.0f);

    tracker.moveTo(&camera, 550.0f, 280.0f); // right and up
    EXPECT_FLOAT_EQ(camera.yaw, -85.0f);
    EXPECT_FLOAT_EQ(camera.pitch, 2.0f);

    camera.mouseLook = false;
    tracker.moveTo(&camera, 900.0f, 900.0f);
    EXPECT_FLOAT_EQ(camera.yaw, -85.0f);
    camera.mouseLook = true;
    tracker.moveTo(&camera, 910.0f, 900.0f); // only the movement since the last event counts
    EXPECT_FLOAT_EQ(camera.yaw, -84.0f);
    EXPECT_FLOAT_EQ(camera.pitch, 2.0f);
}

TEST(Player, RunsForwardAtTwiceItsSpeedWhereverItLooks)
{
    PhysicsWorld physics(btVector3(0, -9.81f, 0));
    Player player(glm::mat4(1.0f), 1.0f, 1.0f, physics);
    player.camera.look(0.0f, 300.0f);
    player.camera.look(300.0f, 0.0f); // up and 30 degrees to the side
    player.onGround = true;
    player.autoRun(1.0f);
    EXPECT_NEAR(glm::length(player.camera.position), 2.0f, 1e-5f);
    EXPECT_EQ(player.camera.position.y, 0.0f);

    PlayerInput held;
    held.forward = held.backward = true; // cancel out
    const glm::vec3 before = player.camera.position;
    player.step(held, 0.5f);
    EXPECT_NEAR(glm::length(player.camera.position - before), 1.0f, 1e-4f);
}

TEST(Player, TheSweepSensorStaysTwelveUnitsBehindAlongTheTrack)
{
    PhysicsWorld physics(btVector3(0, -9.81f, 0));
    Player player(glm::mat4(1.0f), 1.0f, 1.0f, physics);
    EXPECT_EQ(physics.collisionShapes.size(), 3);
    player.camera.look(300.0f, 0.0f);
    player.camera.position = glm::vec3(2.0f, 1.0f, -30.0f);
    player.updatePlayer(0.0f);
    const btVector3 sweep = player.sweepSensor().getWorldTransform().getOrigin();
    EXPECT_NEAR(sweep.x(), 2.0f, 1e-5f);
    EXPECT_NEAR(sweep.y(), 1.0f, 1e-5f);
    EXPECT_NEAR(sweep.z(), -18.0f, 1e-5f);
    const btVector3 feet = player.feetSensor().getWorldTransform().getOrigin();
    EXPECT_NEAR(feet.y(), 0.6f, 1e-5f);
}
