#version 330 core
#extension GL_ARB_shading_language_420pack : require

// Camera motion blur. Each pixel's world position is rebuilt from its depth and projected with
// the previous frame's view-projection; the image is averaged along the resulting screen motion,
// over taps spread evenly from half the motion back to half of it ahead, at most 2 pixels apart.
// A pixel that moved no more than half a pixel is passed through unchanged.

layout(binding = 0) uniform sampler2D screenTexture;
layout(binding = 1) uniform sampler2D depthTexture;

uniform mat4 reprojection; // this frame's clip space to the previous frame's

out vec4 color;

const float kMaxBlurPixels = 24.0;
const float kTapSpacingPixels = 2.0;

void main()
{
    vec2 screenSize = vec2(textureSize(screenTexture, 0));
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    vec3 sharp = texelFetch(screenTexture, pixel, 0).rgb;
    float depth = texelFetch(depthTexture, pixel, 0).r;

    vec2 texCoord = gl_FragCoord.xy / screenSize;
    vec4 ndc = vec4(texCoord * 2.0 - 1.0, depth * 2.0 - 1.0, 1.0);
    vec4 previous = reprojection * ndc;
    vec2 motion = (ndc.xy - previous.xy / previous.w) * 0.5;
    float motionPixels = length(motion * screenSize);
    // Also catches a degenerate projection (NaN): no blur then.
    if (!(motionPixels > 0.5)) {
        color = vec4(sharp, 1.0);
        return;
    }
    if (motionPixels > kMaxBlurPixels) {
        motion *= kMaxBlurPixels / motionPixels;
        motionPixels = kMaxBlurPixels;
    }

    // 2 * halfTaps + 1 taps centred on the pixel; the middle one is the pixel itself. Nearest
    // texels: filtered taps cost the rasteriser several times as much, and taps this close
    // average out the difference.
    int halfTaps = int(ceil(motionPixels / (2.0 * kTapSpacingPixels)));
    vec2 step = motion * screenSize / float(2 * halfTaps);
    ivec2 last = ivec2(screenSize) - 1;
    vec3 sum = sharp;
    for (int i = 1; i <= halfTaps; ++i) {
        vec2 offset = step * float(i);
        sum += texelFetch(screenTexture, clamp(ivec2(gl_FragCoord.xy + offset), ivec2(0), last), 0).rgb;
        sum += texelFetch(screenTexture, clamp(ivec2(gl_FragCoord.xy - offset), ivec2(0), last), 0).rgb;
    }
    color = vec4(sum / float(2 * halfTaps + 1), 1.0);
}
