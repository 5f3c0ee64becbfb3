#pragma once

#include <glm/glm.hpp>
#include <memory>

#include "gl.h"

class Shader;

// An off-screen colour and depth-stencil target for the 3D scene, composited to the window by
// one full-screen pass that gets this frame's and the previous frame's view-projection.
class PostProcessFramebuffer {
public:
    // Null when GL cannot build a complete framebuffer of that size.
    static std::unique_ptr<PostProcessFramebuffer> create(int width, int height);
    ~PostProcessFramebuffer();

    PostProcessFramebuffer(const PostProcessFramebuffer&) = delete;
    PostProcessFramebuffer& operator=(const PostProcessFramebuffer&) = delete;

    // Makes the off-screen target the one drawn into.
    void beginScene() const;

    // Draws the scene to the window through `shader` (colour on unit 0, depth on unit 1), with
    // "invViewProjection" and "prevViewProjection" set. Depth testing is left off, for the HUD.
    void drawToScreen(Shader& shader, const glm::mat4& viewProjection, const glm::mat4& previousViewProjection) const;

    GLuint colorTextureHandle() const { return colorTexture; }
    GLuint depthTextureHandle() const { return depthTexture; }

private:
    PostProcessFramebuffer() = default;
    bool build(int width, int height);

    GLuint framebuffer = 0;
    GLuint colorTexture = 0;
    GLuint depthTexture = 0;
    GLuint quadVertexArray = 0;
    GLuint quadBuffer = 0;
};
