#pragma once

#include <glm/glm.hpp>

enum class CameraMovement { Forward = 0, Backward = 1, Left = 2, Right = 3 };

// The first-person view. Its projection and start orientation are fixed constants; the mouse
// turns it within limits that keep it looking down the track.
class Camera {
public:
    Camera(glm::vec3 position, float aspectRatio);

    // Recomputes front, right and up from yaw and pitch.
    void updateCameraVectors();

    // A step of movementSpeed x dt: forward and backward along the level part of front, so they
    // never change the height; left and right along `right`.
    void processKeyboard(CameraMovement direction, float dt);

    // Mouse look by a cursor movement (dy positive when the mouse moves up), scaled by
    // mouseSensitivity; ignored while mouseLook is off.
    void look(float dx, float dy);
    // Turns by so many degrees, as mouse look does: pitch stays within [-89, 89], yaw within
    // [-120, -60]. Ignored while mouseLook is off.
    void turnBy(float yawDegrees, float pitchDegrees);

    // The wheel sets the running speed: up slows, down speeds up, within [0.3, 3.0].
    void scroll(float yOffset);

    // The picture's width over its height, for a window that changed its size.
    void setAspectRatio(float aspectRatio);

    // Looks in the direction of `newYaw` and `newPitch` (degrees), as the mouse left them.
    void turnTo(float newYaw, float newPitch);

    // Projection times the view from position towards position + front.
    glm::mat4 viewProjection() const;
    glm::mat4 view() const;

    // front with its height removed, normalised: the direction the player runs in.
    glm::vec3 flatFront() const;

    glm::vec3 position;
    glm::vec3 front{0.0f, 0.0f, -1.0f};
    glm::vec3 up{0.0f, 1.0f, 0.0f};
    glm::vec3 right{1.0f, 0.0f, 0.0f};
    glm::vec3 worldUp{0.0f, 1.0f, 0.0f};
    glm::mat4 projection;
    float yaw = -90.0f;
    float pitch = 0.0f;
    float movementSpeed = 1.0f;
    float mouseSensitivity = 0.1f;
    bool mouseLook = true;
};

// The camera `blend` of the way from `from` (0) to `to` (1): position, yaw and pitch.
Camera cameraBetween(const Camera& from, const Camera& to, float blend);

// The view from behind and above the runner whose eyes are `runner`, facing the way it faces and
// looking down at it.
Camera chaseView(const Camera& runner);
