#version 330 core

// Positions arrive in window pixels, origin bottom-left.

layout(location = 0) in vec2 pixelPosition;
layout(location = 1) in vec2 uv;

uniform int width;
uniform int height;

out vec2 texCoord;

void main()
{
    vec2 clip = pixelPosition / vec2(float(width), float(height)) * 2.0 - 1.0;
    texCoord = uv;
    gl_Position = vec4(clip, 0.0, 1.0);
}
