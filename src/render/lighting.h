#pragma once

#include <glm/glm.hpp>

class Shader;

// The scene's one light, shining along `direction` (stored as a unit vector).
struct DirectionalLight {
    DirectionalLight(glm::vec3 color, glm::vec3 direction, bool enabled);

    bool enabled;
    glm::vec3 color;
    glm::vec3 direction;
};

// Which debug colourings the lit shaders show instead of shading.
struct DebugViews {
    bool normals = false;
    bool texCoords = false;
};

// The values every lit shader needs once per frame: framebuffer size, camera, light, debug views.
// Leaves `shader` current.
void setPerFrameUniforms(Shader& shader, const glm::vec3& cameraPosition, const glm::mat4& viewProjection,
                         const DirectionalLight& light, int width, int height, DebugViews debugViews);
