#include "particles.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "gl.h"
#include "material.h"
#include "shader.h"
#include "texture.h"

namespace {

// The sprite's corners, the same for every emitter.
GLuint quadCornerBuffer = 0;

constexpr float kQuadCorners[] = {-0.5f, -0.5f, 0.0f, 0.5f, -0.5f, 0.0f, -0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f};
constexpr size_t kPoolSize = ParticleEmitter::kPoolSize;
constexpr GLsizeiptr kInstanceBytes = static_cast<GLsizeiptr>(kPoolSize * 4 * sizeof(float));
constexpr GLsizeiptr kColorBytes = static_cast<GLsizeiptr>(kPoolSize * 4);
const glm::vec3 kBaseVelocity(0.0f, 6.0f, 0.0f);

// A random value in [-1, 0.999], from the C library's generator shared with the rest of the game.
float randomSpread()
{
    return static_cast<float>(std::rand() % 2000 - 1000) / 1000.0f;
}

// Ranges and divisors below 1 would divide by zero.
int atLeastOne(int value)
{
    return std::max(value, 1);
}

} // namespace

int gatherVisibleSprites(const glm::mat4& viewProjection, const std::vector<float>& positions,
                         const std::vector<std::uint8_t>& colors, int count, std::vector<float>& visiblePositions,
                         std::vector<std::uint8_t>& visibleColors)
{
    // The six clip planes in world space, scaled so that a plane's value is a distance.
    const glm::mat4 rows = glm::transpose(viewProjection);
    glm::vec4 planes[6] = {rows[3] + rows[0], rows[3] - rows[0], rows[3] + rows[1],
                           rows[3] - rows[1], rows[3] + rows[2], rows[3] - rows[2]};
    for (glm::vec4& plane : planes)
        plane /= glm::length(glm::vec3(plane));

    // A sprite of size s reaches s / sqrt(2) from its centre whichever way it faces.
    constexpr float kHalfDiagonal = 0.70711f;
    int visible = 0;
    for (int i = 0; i < count; ++i) {
        const size_t from = 4 * static_cast<size_t>(i);
        const glm::vec4 centre(positions[from], positions[from + 1], positions[from + 2], 1.0f);
        const float reach = positions[from + 3] * kHalfDiagonal;
        bool outside = false;
        for (const glm::vec4& plane : planes)
            outside = outside || glm::dot(plane, centre) < -reach;
        if (outside)
            continue;
        const size_t to = 4 * static_cast<size_t>(visible);
        std::copy_n(positions.begin() + static_cast<std::ptrdiff_t>(from), 4,
                    visiblePositions.begin() + static_cast<std::ptrdiff_t>(to));
        std::copy_n(colors.begin() + static_cast<std::ptrdiff_t>(from), 4,
                    visibleColors.begin() + static_cast<std::ptrdiff_t>(to));
        ++visible;
    }
    return visible;
}

void initParticleBuffers()
{
    glGenBuffers(1, &quadCornerBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, quadCornerBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(kQuadCorners), kQuadCorners, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void releaseParticleBuffers()
{
    glDeleteBuffers(1, &quadCornerBuffer);
    quadCornerBuffer = 0;
}

ParticleEmitter::ParticleEmitter(std::string texturePath, glm::vec3 emitterPosition, float particleLifetime,
                                 float spreadOfVelocity, float spreadOfPosition, float rate, float divisor, int red,
                                 int green, int blue, glm::vec3 direction)
    : position(emitterPosition), particles(::kPoolSize), instanceData(::kPoolSize * 4), instanceColors(::kPoolSize * 4),
      visibleData(::kPoolSize * 4), visibleColors(::kPoolSize * 4),
      shader(std::make_shared<Shader>("assets/shaders/particle.vert", "assets/shaders/particle.frag")),
      texture(std::make_shared<Texture>(std::move(texturePath))),
      material(std::make_shared<TextMaterial>(shader, texture)), lifetime(particleLifetime),
      velocitySpread(spreadOfVelocity), positionSpread(spreadOfPosition), fullSpawnRate(rate), spawnRate(rate),
      alphaDivisor(atLeastOne(static_cast<int>(divisor))), emitterDirection(direction), redRange(atLeastOne(red)),
      greenRange(atLeastOne(green)), blueRange(atLeastOne(blue))
{
    createSpriteBuffers();
}

ParticleEmitter::~ParticleEmitter()
{
    const GLuint names[] = {instanceBuffer, instanceColorBuffer};
    glDeleteBuffers(2, names);
    glDeleteVertexArrays(1, &vertexArray);
}

// Storage for the whole pool, made once; each frame overwrites only the sprites it draws. Every
// emitter has buffers of its own, so one emitter's upload never waits for another's draw.
void ParticleEmitter::createSpriteBuffers()
{
    glGenVertexArrays(1, &vertexArray);
    glGenBuffers(1, &instanceBuffer);
    glGenBuffers(1, &instanceColorBuffer);
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, quadCornerBuffer);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer);
    glBufferData(GL_ARRAY_BUFFER, kInstanceBytes, nullptr, GL_STREAM_DRAW);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, 0, nullptr);
    glVertexAttribDivisor(1, 1);
    glBindBuffer(GL_ARRAY_BUFFER, instanceColorBuffer);
    glBufferData(GL_ARRAY_BUFFER, kColorBytes, nullptr, GL_STREAM_DRAW);
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, 0, nullptr);
    glVertexAttribDivisor(2, 1);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void ParticleEmitter::restart(glm::vec3 newPosition)
{
    position = newPosition;
    std::fill(particles.begin(), particles.end(), Particle{});
    searchStart = 0;
    particleCount = 0;
}

int ParticleEmitter::spawnCount(float deltaTime) const
{
    const float wanted = std::trunc(spawnRate * deltaTime);
    const float cap = std::trunc(spawnRate * 0.016f);
    const float count = std::min(wanted, cap);
    return count > 0.0f ? static_cast<int>(count) : 0;
}

int ParticleEmitter::findFreeSlot()
{
    for (int i = searchStart; i < kPoolSize; ++i)
        if (particles[static_cast<size_t>(i)].life < 0.0f)
            return searchStart = i;
    for (int i = 0; i < searchStart; ++i)
        if (particles[static_cast<size_t>(i)].life < 0.0f)
            return searchStart = i;
    // A full pool gives up its first slot.
    return 0;
}

void ParticleEmitter::spawn(Particle& particle)
{
    particle.life = lifetime;
    const float offsetZ = randomSpread() * positionSpread;
    const float offsetX = randomSpread() * positionSpread;
    particle.position = glm::vec3(position.x + offsetX, position.y, position.z + offsetZ);
    const float s1 = randomSpread();
    const float s2 = randomSpread();
    const float s3 = randomSpread();
    particle.velocity = kBaseVelocity + velocitySpread * glm::vec3(s3, s2, s1);
    particle.r = static_cast<std::uint8_t>(std::rand() % redRange);
    particle.g = static_cast<std::uint8_t>(std::rand() % greenRange);
    particle.b = static_cast<std::uint8_t>(std::rand() % blueRange);
    particle.a = static_cast<std::uint8_t>((std::rand() % 256) / alphaDivisor);
    particle.size = static_cast<float>(std::rand() % 1000) / 2000.0f + 0.1f;
}

void ParticleEmitter::update(float deltaTime, const glm::vec3& cameraPosition)
{
    for (int i = spawnCount(deltaTime); i > 0; --i)
        spawn(particles[static_cast<size_t>(findFreeSlot())]);

    particleCount = 0;
    for (Particle& p : particles) {
        if (!(p.life > 0.0f))
            continue;
        p.life -= deltaTime;
        if (p.life > 0.0f) {
            p.velocity.y += -3.81f * deltaTime * 0.5f;
            p.position += p.velocity * deltaTime;
            p.distanceToCamera = glm::length(p.position - cameraPosition);
            const size_t at = 4 * static_cast<size_t>(particleCount);
            instanceData[at] = p.position.x;
            instanceData[at + 1] = p.position.y;
            instanceData[at + 2] = p.position.z;
            instanceData[at + 3] = p.size;
            instanceColors[at] = p.r;
            instanceColors[at + 1] = p.g;
            instanceColors[at + 2] = p.b;
            instanceColors[at + 3] = p.a;
            ++particleCount;
        } else {
            p.distanceToCamera = -1.0f;
        }
    }

    // Far to near, the dead last; the next update stages in this order. Only the live ones need
    // ordering, as the dead all sit at -1: they are gathered in front and sorted there.
    const auto dead = std::partition(particles.begin(), particles.end(),
                                     [](const Particle& p) { return p.distanceToCamera >= 0.0f; });
    std::sort(particles.begin(), dead,
              [](const Particle& a, const Particle& b) { return a.distanceToCamera > b.distanceToCamera; });
}

void ParticleEmitter::draw(const glm::mat4& view, const glm::mat4& viewProjection)
{
    // Sprites off screen would cost the driver a pass each for nothing.
    const int drawnCount =
        gatherVisibleSprites(viewProjection, instanceData, instanceColors, particleCount, visibleData, visibleColors);
    // Nothing to draw is no draw and no upload: WebGL reads a length of 0 as "all of the source".
    if (drawnCount == 0)
        return;

    shader->use();
    shader->setUniform("cameraRight", glm::vec3(view[0][0], view[1][0], view[2][0]));
    shader->setUniform("cameraUp", glm::vec3(view[0][1], view[1][1], view[2][1]));
    shader->setUniform("viewProjection", viewProjection);
    material->setUniforms();

    glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer);
    glBufferSubData(GL_ARRAY_BUFFER, 0,
                    static_cast<GLsizeiptr>(drawnCount) * static_cast<GLsizeiptr>(4 * sizeof(float)),
                    visibleData.data());
    glBindBuffer(GL_ARRAY_BUFFER, instanceColorBuffer);
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(drawnCount) * 4, visibleColors.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    glBindVertexArray(vertexArray);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, drawnCount);
    glDisable(GL_BLEND);
    glBindVertexArray(0);
}
