#pragma once

#include <glm/glm.hpp>
#include <memory>

#include "gl.h"

class Shader;

// The programs of the composite: how far each tile of the scene may have moved, then the tiles
// that cannot have (one texel per pixel) and the tiles that may (motion blur, the framebuffer pair).
struct CompositeShaders {
    std::shared_ptr<Shader> tileMotion;
    std::shared_ptr<Shader> stillTiles;
    std::shared_ptr<Shader> movingTiles;
};

// Loads the three from assets/shaders; a missing or broken file ends the game.
CompositeShaders loadCompositeShaders();

// An off-screen colour and depth-stencil target for the 3D scene, composited to the window with
// this frame's and the previous frame's view-projection (a camera motion blur).
class PostProcessFramebuffer {
public:
    // Null when GL cannot build a complete framebuffer of that size.
    static std::unique_ptr<PostProcessFramebuffer> create(int width, int height);
    ~PostProcessFramebuffer();

    PostProcessFramebuffer(const PostProcessFramebuffer&) = delete;
    PostProcessFramebuffer& operator=(const PostProcessFramebuffer&) = delete;

    // Makes the off-screen target the one drawn into.
    void beginScene() const;

    // Draws the scene to the window (colour on unit 0, depth on unit 1, tile motion on unit 2), with
    // "reprojection" set: this frame's clip space to the previous frame's. Most pixels of a frame do
    // not move, but a software rasteriser runs every instruction of a shader for every pixel of a
    // draw, branches or not; so the window is drawn in tiles of 16 x 16, and only the tiles whose
    // depth range may have moved a visible amount are blurred, the others copied. Depth testing is
    // left off, for the HUD.
    void drawToScreen(const CompositeShaders& shaders, const glm::mat4& viewProjection,
                      const glm::mat4& previousViewProjection) const;

    GLuint colorTextureHandle() const { return colorTexture; }
    GLuint depthTextureHandle() const { return depthTexture; }

    static constexpr int kTileSize = 16;

private:
    PostProcessFramebuffer() = default;
    bool build(int width, int height);
    bool buildTileTarget();
    void measureTileMotion(Shader& shader, const glm::mat4& reprojection) const;
    void drawTiles(Shader& shader, bool moving) const;

    int width = 0;
    int height = 0;
    GLuint framebuffer = 0;
    GLuint colorTexture = 0;
    GLuint depthTexture = 0;
    GLuint quadVertexArray = 0;
    GLuint quadBuffer = 0;
    // One texel per tile: the largest motion of its pixels, in pixels.
    GLuint tileFramebuffer = 0;
    GLuint tileTexture = 0;
    int tilesX = 0;
    int tilesY = 0;
};
