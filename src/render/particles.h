#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "gl.h"

class Shader;
class Texture;
class TextMaterial;

struct Particle {
    glm::vec3 position{0.0f};
    glm::vec3 velocity{0.0f};
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    float size = 0.0f;
    float life = -1.0f;             // seconds left; negative: the slot is free
    float distanceToCamera = -1.0f; // after the last update; -1 for a dead particle
};

// Copies the staged sprites (x, y, z, size and r, g, b, a per sprite) that may show through
// `viewProjection` to the front of `visiblePositions` and `visibleColors`, keeping their order,
// and returns how many. A sprite is left out only when it lies wholly outside one clip plane.
int gatherVisibleSprites(const glm::mat4& viewProjection, const std::vector<float>& positions,
                         const std::vector<std::uint8_t>& colors, int count, std::vector<float>& visiblePositions,
                         std::vector<std::uint8_t>& visibleColors);

// Creates the sprite corner buffer every emitter draws with; once, before any emitter is made.
void initParticleBuffers();
void releaseParticleBuffers();

// A fountain of camera-facing sprites: a fixed pool of particles spawned around `position` at a
// steady rate, flying up and falling back, drawn far to near in one instanced draw call. Owns the
// GL buffers of its sprites.
class ParticleEmitter {
public:
    static constexpr int kPoolSize = 10000;

    ParticleEmitter(std::string texturePath, glm::vec3 position, float lifetime, float velocitySpread,
                    float positionSpread, float spawnRate, float alphaDivisor, int redRange, int greenRange,
                    int blueRange, glm::vec3 emitterDirection);
    ~ParticleEmitter();

    ParticleEmitter(const ParticleEmitter&) = delete;
    ParticleEmitter& operator=(const ParticleEmitter&) = delete;

    // No particle left, the next ones to spawn at `newPosition`: the fountain of a new run.
    void restart(glm::vec3 newPosition);

    // Spawns, moves and ages the particles, stages the live ones and sorts the pool far to near.
    void update(float deltaTime, const glm::vec3& cameraPosition);

    // Draws the particles staged by the last update.
    void draw(const glm::mat4& viewMatrix, const glm::mat4& viewProjection);

    // How many particles a frame of `deltaTime` spawns: capped at what 0.016 s would.
    int spawnCount(float deltaTime) const;

    // Spawns `share` (0 to 1) of the particles it was made to: fewer sprites for a slow machine.
    void setDensity(float share) { spawnRate = fullSpawnRate * share; }

    glm::vec3 position;

    int liveCount() const { return particleCount; }
    int firstSearchSlot() const { return searchStart; }
    const std::vector<Particle>& pool() const { return particles; }
    const std::vector<float>& stagedPositions() const { return instanceData; }
    // As given at construction; the fountain itself always rises straight up.
    glm::vec3 direction() const { return emitterDirection; }

private:
    void createSpriteBuffers();
    int findFreeSlot();
    void spawn(Particle& particle);

    std::vector<Particle> particles;
    int searchStart = 0;
    int particleCount = 0;
    std::vector<float> instanceData;
    std::vector<std::uint8_t> instanceColors;
    // What the last draw handed to GL: the staged sprites that can show.
    std::vector<float> visibleData;
    std::vector<std::uint8_t> visibleColors;
    std::shared_ptr<Shader> shader;
    std::shared_ptr<Texture> texture;
    std::shared_ptr<TextMaterial> material;
    GLuint vertexArray = 0;
    GLuint instanceBuffer = 0;      // x, y, z and size of each sprite drawn
    GLuint instanceColorBuffer = 0; // r, g, b, a of each sprite drawn
    float lifetime;
    float velocitySpread;
    float positionSpread;
    float fullSpawnRate;
    float spawnRate;
    int alphaDivisor;
    glm::vec3 emitterDirection;
    int redRange;
    int greenRange;
    int blueRange;
};
