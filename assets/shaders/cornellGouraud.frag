#version 330 core

in vec3 shade;

out vec4 color;

void main()
{
    color = vec4(shade, 1.0);
}
