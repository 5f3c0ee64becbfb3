#include "fountains.h"

Fountains::Fountains()
    : glide("assets/textures/star_particle.dds", glm::vec3(0.0f), 5.0f, 1.6f, 2.0f, 300.0f, 2.0f, 32, 128, 256,
            glm::vec3(0.0f, 5.0f, 0.0f)),
      doublePoints("assets/textures/star_particle.dds", glm::vec3(0.0f), 1.5f, 2.8f, 0.4f, 500.0f, 3.0f, 256, 64, 16,
                   glm::vec3(0.0f, 1.5f, 0.0f))
{
}

void Fountains::restart(const GameWorld& world)
{
    const auto positionOf = [&](PowerupKind kind) {
        return glm::vec3(0.0f, 0.0f, world.placedKind == kind ? -100.0f : 100.0f);
    };
    glide.restart(positionOf(PowerupKind::Glide));
    doublePoints.restart(positionOf(PowerupKind::DoublePoints));
    powerupPosition = world.powerupPosition();
}

void Fountains::follow(const GameWorld& world)
{
    if (world.powerupPosition() == powerupPosition)
        return;
    powerupPosition = world.powerupPosition();
    of(world.placedKind).position = glm::vec3(0.0f, 0.0f, world.segments.platformZ);
}

void Fountains::setDensity(float share)
{
    glide.setDensity(share);
    doublePoints.setDensity(share);
}

void Fountains::update(float dt, const glm::vec3& cameraPosition)
{
    glide.update(dt, cameraPosition);
    doublePoints.update(dt, cameraPosition);
}

void Fountains::draw(const glm::mat4& viewMatrix, const glm::mat4& viewProjection)
{
    glide.draw(viewMatrix, viewProjection);
    doublePoints.draw(viewMatrix, viewProjection);
}
