#version 330 core
#extension GL_ARB_shading_language_420pack : require
#extension GL_ARB_texture_gather : require

// One fragment per tile of 16 x 16 pixels of the scene: the farthest any of its pixels can have
// moved on screen since the previous frame, from the tile's nearest and farthest depth alone.
// Along one pixel's line of sight the reprojected point moves on a straight segment, so its motion
// is largest at one end of the depth range; across a tile the motion changes smoothly, so the
// corners stand for the tile.

layout(binding = 1) uniform sampler2D depthTexture;

uniform mat4 reprojection; // this frame's clip space to the previous frame's

out float largestMotionPixels;

const int kTileSize = 16;

// How far a point at `ndc` moved on screen, in pixels; unbounded if it was behind the camera.
float motionPixels(vec3 ndc, vec2 screenSize)
{
    vec4 previous = reprojection * vec4(ndc, 1.0);
    if (!(previous.w > 0.0))
        return 1e30;
    return length((ndc.xy - previous.xy / previous.w) * 0.5 * screenSize);
}

void main()
{
    ivec2 size = textureSize(depthTexture, 0);
    ivec2 first = ivec2(gl_FragCoord.xy) * kTileSize;
    ivec2 last = min(first + (kTileSize - 1), size - 1);
    vec2 texel = 1.0 / vec2(size);
    vec4 nearest4 = vec4(1.0);
    vec4 farthest4 = vec4(0.0);
    // Each gather reads a 2 x 2 block; at an odd edge the clamped block repeats the last texel.
    for (int y = 0; y < kTileSize; y += 2)
        for (int x = 0; x < kTileSize; x += 2) {
            vec2 centre = vec2(min(first + ivec2(x, y), size - 1) + 1) * texel;
            vec4 depths = textureGather(depthTexture, centre);
            nearest4 = min(nearest4, depths);
            farthest4 = max(farthest4, depths);
        }
    float nearest = min(min(nearest4.x, nearest4.y), min(nearest4.z, nearest4.w));
    float farthest = max(max(farthest4.x, farthest4.y), max(farthest4.z, farthest4.w));

    vec2 screenSize = vec2(size);
    vec2 low = vec2(first) / screenSize * 2.0 - 1.0;
    vec2 high = vec2(last + 1) / screenSize * 2.0 - 1.0;
    float largest = 0.0;
    for (int c = 0; c < 4; ++c) {
        vec2 xy = vec2((c & 1) == 0 ? low.x : high.x, (c & 2) == 0 ? low.y : high.y);
        largest = max(largest, max(motionPixels(vec3(xy, nearest * 2.0 - 1.0), screenSize),
                                   motionPixels(vec3(xy, farthest * 2.0 - 1.0), screenSize)));
    }
    largestMotionPixels = largest;
}
