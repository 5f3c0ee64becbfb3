#pragma once

#include <glm/glm.hpp>

#include "game_world.h"
#include "particles.h"

// The two fountains of sparks that mark the platform of the powerup on display, one for each kind:
// the fountain of the kind on display stands at its platform, the other where it last stood (at
// first behind the start).
class Fountains {
public:
    Fountains();

    // Both start afresh for a new run: the one of the kind on display at the first platform.
    void restart(const GameWorld& world);
    // A powerup collected moves the fountain of the new kind to the newest platform.
    void follow(const GameWorld& world);

    // The share of each fountain's designed spawn rate that the graphics quality draws.
    void setDensity(float share);
    void update(float dt, const glm::vec3& cameraPosition);
    void draw(const glm::mat4& viewMatrix, const glm::mat4& viewProjection);

private:
    ParticleEmitter& of(PowerupKind kind) { return kind == PowerupKind::Glide ? glide : doublePoints; }

    ParticleEmitter glide;
    ParticleEmitter doublePoints;
    glm::vec3 powerupPosition{0.0f}; // of the powerup on display, as last followed
};
