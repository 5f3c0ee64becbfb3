#version 330 core

// The whole window, with the scene's texture coordinates.

layout(location = 0) in vec2 position;

out vec2 sceneCoord;

void main()
{
    sceneCoord = position * 0.5 + 0.5;
    gl_Position = vec4(position, 0.0, 1.0);
}
