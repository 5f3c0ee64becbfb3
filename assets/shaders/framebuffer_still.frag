#version 330 core
#extension GL_ARB_shading_language_420pack : require

// The tiles whose pixels do not move: the scene as it was drawn.

layout(binding = 0) uniform sampler2D screenTexture;

out vec4 color;

void main()
{
    color = vec4(texelFetch(screenTexture, ivec2(gl_FragCoord.xy), 0).rgb, 1.0);
}
