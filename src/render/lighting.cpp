#include "lighting.h"

#include <cmath>

#include "shader.h"

DirectionalLight::DirectionalLight(glm::vec3 lightColor, glm::vec3 lightDirection, bool isEnabled)
    : enabled(isEnabled), color(lightColor)
{
    const float length = std::sqrt(lightDirection.x * lightDirection.x + lightDirection.y * lightDirection.y +
                                   lightDirection.z * lightDirection.z);
    // A zero vector has no direction to keep; it stays zero rather than becoming NaN.
    direction = length > 0.0f ? lightDirection * (1.0f / length) : glm::vec3(0.0f);
}

void setPerFrameUniforms(Shader& shader, const glm::vec3& cameraPosition, const glm::mat4& viewProjection,
                         const DirectionalLight& light, int width, int height, DebugViews debugViews)
{
    shader.use();
    shader.setUniform("width", width);
    shader.setUniform("height", height);
    shader.setUniform("viewProjMatrix", viewProjection);
    shader.setUniform("camera_world", cameraPosition);
    shader.setUniform("dirL.color", light.color);
    shader.setUniform("dirL.direction", light.direction);
    shader.setUniform("draw_normals", debugViews.normals ? 1 : 0);
    shader.setUniform("draw_texcoords", debugViews.texCoords ? 1 : 0);
}
