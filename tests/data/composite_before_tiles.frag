#version 330 core
#extension GL_ARB_shading_language_420pack : require
// The composite as the game drew it before it went to tiles: one full-screen pass, the blur taps
// reaching from the pixel to half the motion ahead. The tiled composite is measured against it.

// Camera motion blur. Each pixel's world position is rebuilt from its depth, projected with the
// previous frame's view-projection, and the image is averaged along the resulting screen motion.
// A pixel that moved less than half a pixel is passed through unchanged.

layout(binding = 0) uniform sampler2D screenTexture;
layout(binding = 1) uniform sampler2D depthTexture;

uniform mat4 invViewProjection;
uniform mat4 prevViewProjection;

in vec2 texCoord;

out vec4 color;

const float kMaxSamples = 4.0;
const float kMaxBlurPixels = 24.0;

void main()
{
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    vec3 sharp = texelFetch(screenTexture, pixel, 0).rgb;
    float depth = texelFetch(depthTexture, pixel, 0).r;

    vec4 ndc = vec4(texCoord * 2.0 - 1.0, depth * 2.0 - 1.0, 1.0);
    vec4 world = invViewProjection * ndc;
    world /= world.w;
    vec4 previous = prevViewProjection * world;
    previous /= previous.w;

    vec2 motion = (ndc.xy - previous.xy) * 0.5;
    float motionPixels = length(motion * vec2(textureSize(screenTexture, 0)));
    // Also catches a degenerate projection (NaN): no blur then.
    if (!(motionPixels > 0.5)) {
        color = vec4(sharp, 1.0);
        return;
    }
    if (motionPixels > kMaxBlurPixels)
        motion *= kMaxBlurPixels / motionPixels;

    // About one sample per two pixels of motion: a short smear needs few.
    int samples = int(clamp(ceil(motionPixels * 0.5), 2.0, kMaxSamples));
    vec3 sum = sharp;
    for (int i = 1; i < samples; ++i) {
        vec2 offset = motion * (float(i) / float(samples - 1) - 0.5);
        sum += texture(screenTexture, texCoord + offset).rgb;
    }
    color = vec4(sum / float(samples), 1.0);
}
