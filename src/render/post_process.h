#pragma once

#include <glm/glm.hpp>
#include <memory>

#include "gl.h"

class Shader;

// The programs of the composite: how far each tile of the scene may have moved, then the tiles
// that cannot have (one texel per pixel) and the tiles that may (motion blur, the framebuffer
// pair); or, without motion blur, the scene copied as it is.
struct CompositeShaders {
    std::shared_ptr<Shader> tileMotion;
    std::shared_ptr<Shader> stillTiles;
    std::shared_ptr<Shader> movingTiles;
    std::shared_ptr<Shader> copy;
};

// Loads the four from assets/shaders; a missing or broken file ends the game.
CompositeShaders loadCompositeShaders();

// An off-screen colour and depth-stencil target for the 3D scene, composited to the window with
// this frame's and the previous frame's view-projection (a camera motion blur), or copied to it
// without the blur, stretched when the scene is drawn smaller than the window.
class PostProcessFramebuffer {
public:
    // A scene target of `width` x `height`; null when GL cannot build a complete framebuffer of
    // that size. With motion blur the scene must be drawn at the window's size.
    static std::unique_ptr<PostProcessFramebuffer> create(int width, int height, bool motionBlur = true);
    ~PostProcessFramebuffer();

    PostProcessFramebuffer(const PostProcessFramebuffer&) = delete;
    PostProcessFramebuffer& operator=(const PostProcessFramebuffer&) = delete;

    // Makes the off-screen target the one drawn into, at its own size; the window's viewport and
    // the framebuffer bound until now (the window's, or a video frame's) are kept for the composite.
    void beginScene();

    // Draws the scene to the window (colour on unit 0, depth on unit 1, tile motion on unit 2), with
    // "reprojection" set: this frame's clip space to the previous frame's. Most pixels of a frame do
    // not move, but a software rasteriser runs every instruction of a shader for every pixel of a
    // draw, branches or not; so the window is drawn in tiles of 16 x 16, and only the tiles whose
    // depth range may have moved a visible amount are blurred, the others copied. Without motion
    // blur the scene is copied as it is. Depth testing is left off, and the window's viewport set
    // again, for the HUD.
    void drawToScreen(const CompositeShaders& shaders, const glm::mat4& viewProjection,
                      const glm::mat4& previousViewProjection) const;

    GLuint colorTextureHandle() const { return colorTexture; }
    GLuint depthTextureHandle() const { return depthTexture; }

    static constexpr int kTileSize = 16;

private:
    PostProcessFramebuffer() = default;
    bool build(int width, int height, bool motionBlur);
    void copyToScreen(Shader& shader) const;
    bool buildTileTarget();
    void measureTileMotion(Shader& shader, const glm::mat4& reprojection) const;
    void drawTiles(Shader& shader, bool moving) const;

    int width = 0;
    int height = 0;
    bool blurred = true;
    GLint windowViewport[4] = {};
    GLint windowFramebuffer = 0;
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
