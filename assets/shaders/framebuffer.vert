#version 330 core
#extension GL_ARB_shading_language_420pack : require

// One point of 16 x 16 pixels per tile of the window, tile after tile. Each tile is drawn by one
// of two passes: the still one, for tiles whose pixels cannot have moved a visible amount, at one texel
// per pixel, or the moving one, which blurs. A tile that belongs to the other pass collapses to a
// point and is never rasterised.

layout(binding = 0) uniform sampler2D screenTexture;
layout(binding = 2) uniform sampler2D tileMotion; // largest motion of each tile, in pixels

uniform int movingTiles; // which pass this is

const int kTileSize = 16;
// The blur starts at half a pixel; the margin covers the motion between a tile's corners.
const float kStillPixels = 0.45;

void main()
{
    ivec2 tiles = textureSize(tileMotion, 0);
    ivec2 tile = ivec2(gl_VertexID % tiles.x, gl_VertexID / tiles.x);
    bool moving = !(texelFetch(tileMotion, tile, 0).r < kStillPixels);
    if (moving != (movingTiles != 0)) {
        gl_Position = vec4(-2.0, -2.0, 0.0, 1.0);
        return;
    }
    vec2 centre = (vec2(tile) + 0.5) * float(kTileSize);
    gl_Position = vec4(centre / vec2(textureSize(screenTexture, 0)) * 2.0 - 1.0, 0.0, 1.0);
    gl_PointSize = float(kTileSize);
}
