#version 330 core

// Gouraud shading: the light is evaluated per vertex and interpolated.

struct DirectionalLight {
    vec3 color;
    vec3 direction;
};

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;

uniform mat4 modelMatrix;
uniform mat3 normalMatrix;
uniform mat4 viewProjMatrix;
uniform DirectionalLight dirL;
uniform vec3 camera_world;
uniform vec3 materialCoefficients;
uniform float specularAlpha;

out vec3 shade;

void main()
{
    vec4 world = modelMatrix * vec4(position, 1.0);
    vec3 n = normalize(normalMatrix * normal);
    vec3 toCamera = normalize(camera_world - world.xyz);
    float diffuse = max(dot(n, -dirL.direction), 0.0);
    float specular = 0.0;
    if (diffuse > 0.0)
        specular = pow(max(dot(reflect(dirL.direction, n), toCamera), 0.0), specularAlpha);
    shade = vec3(materialCoefficients.x) + (materialCoefficients.y * diffuse + materialCoefficients.z * specular) *
                                               dirL.color;
    gl_Position = viewProjMatrix * world;
}
