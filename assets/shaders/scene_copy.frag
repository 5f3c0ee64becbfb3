#version 330 core
#extension GL_ARB_shading_language_420pack : require

// The scene as it was drawn, without motion blur: stretched, with bilinear filtering, over a
// window larger than the scene was drawn at.

layout(binding = 0) uniform sampler2D screenTexture;

in vec2 sceneCoord;

out vec4 color;

void main()
{
    color = vec4(texture(screenTexture, sceneCoord).rgb, 1.0);
}
