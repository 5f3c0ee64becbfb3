#version 330 core

// One camera-facing sprite per instance.

layout(location = 0) in vec3 corner;         // of a unit quad centred on the origin
layout(location = 1) in vec4 centreAndSize;  // world position, sprite size
layout(location = 2) in vec4 particleColor;

uniform vec3 cameraRight;
uniform vec3 cameraUp;
uniform mat4 viewProjection;

out vec2 texCoord;
out vec4 tint;

void main()
{
    vec3 world = centreAndSize.xyz + (cameraRight * corner.x + cameraUp * corner.y) * centreAndSize.w;
    texCoord = corner.xy + 0.5;
    tint = particleColor;
    gl_Position = viewProjection * vec4(world, 1.0);
}
