#include "camera.h"

#include <algorithm>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

namespace {
constexpr float kDegreesToRadians = 0.017453292f;

// The lower bound first, then the upper.
float limit(float value, float lowest, float highest)
{
    return std::min(std::max(value, lowest), highest);
}
} // namespace

Camera::Camera(glm::vec3 startPosition, float aspectRatio) : position(startPosition)
{
    setAspectRatio(aspectRatio);
    updateCameraVectors();
}

void Camera::setAspectRatio(float aspectRatio)
{
    projection = glm::perspective(glm::radians(45.0f), aspectRatio, 0.1f, 100.0f);
}

void Camera::updateCameraVectors()
{
    const float yawRadians = yaw * kDegreesToRadians;
    const float pitchRadians = pitch * kDegreesToRadians;
    front = glm::normalize(glm::vec3(std::cos(yawRadians) * std::cos(pitchRadians), std::sin(pitchRadians),
                                     std::sin(yawRadians) * std::cos(pitchRadians)));
    right = glm::normalize(glm::cross(front, worldUp));
    up = glm::normalize(glm::cross(right, front));
}

glm::vec3 Camera::flatFront() const
{
    return glm::normalize(glm::vec3(front.x, 0.0f, front.z));
}

void Camera::processKeyboard(CameraMovement direction, float dt)
{
    const float step = movementSpeed * dt;
    switch (direction) {
    case CameraMovement::Forward:
        position += flatFront() * step;
        break;
    case CameraMovement::Backward:
        position -= flatFront() * step;
        break;
    case CameraMovement::Left:
        position -= right * step;
        break;
    case CameraMovement::Right:
        position += right * step;
        break;
    }
}

void Camera::look(float dx, float dy)
{
    turnBy(mouseSensitivity * dx, mouseSensitivity * dy);
}

void Camera::turnBy(float yawDegrees, float pitchDegrees)
{
    if (!mouseLook)
        return;
    pitch = limit(pitch + pitchDegrees, -89.0f, 89.0f);
    yaw = limit(yaw + yawDegrees, -120.0f, -60.0f);
    updateCameraVectors();
}

void Camera::scroll(float yOffset)
{
    movementSpeed = limit(movementSpeed - yOffset / 5.0f, 0.3f, 3.0f);
}

void Camera::turnTo(float newYaw, float newPitch)
{
    if (newYaw == yaw && newPitch == pitch)
        return;
    yaw = newYaw;
    pitch = newPitch;
    updateCameraVectors();
}

Camera cameraBetween(const Camera& from, const Camera& to, float blend)
{
    Camera between = to;
    between.position = glm::mix(from.position, to.position, blend);
    between.turnTo(glm::mix(from.yaw, to.yaw, blend), glm::mix(from.pitch, to.pitch, blend));
    return between;
}

Camera chaseView(const Camera& runner)
{
    constexpr float kBehind = 5.0f;
    constexpr float kAbove = 2.5f;
    constexpr float kAimBelowEyes = 0.6f; // at the runner's chest, not over its head
    Camera chase = runner;
    chase.position = runner.position - runner.flatFront() * kBehind + glm::vec3(0.0f, kAbove, 0.0f);
    chase.turnTo(runner.yaw, -glm::degrees(std::atan2(kAbove + kAimBelowEyes, kBehind)));
    return chase;
}

glm::mat4 Camera::view() const
{
    return glm::lookAt(position, position + front, up);
}

glm::mat4 Camera::viewProjection() const
{
    return projection * view();
}
