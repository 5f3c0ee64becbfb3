#version 330 core

// Lit and textured: ambient, diffuse and specular parts of one directional light.

struct DirectionalLight {
    vec3 color;
    vec3 direction;  // the way the light travels
};

in vec3 worldPosition;
in vec3 worldNormal;
in vec2 texCoord;

uniform DirectionalLight dirL;
uniform vec3 camera_world;
uniform vec3 materialCoefficients;  // ambient, diffuse, specular factors
uniform float specularAlpha;
uniform sampler2D diffuseTexture;
uniform int draw_normals;
uniform int draw_texcoords;

out vec4 color;

void main()
{
    vec3 n = normalize(worldNormal);
    if (draw_normals != 0) {
        color = vec4(n * 0.5 + 0.5, 1.0);
        return;
    }
    if (draw_texcoords != 0) {
        color = vec4(texCoord, 0.0, 1.0);
        return;
    }

    vec3 albedo = texture(diffuseTexture, texCoord).rgb;
    vec3 toLight = -dirL.direction;
    vec3 toCamera = normalize(camera_world - worldPosition);
    float diffuse = max(dot(n, toLight), 0.0);
    float specular = 0.0;
    if (diffuse > 0.0)
        specular = pow(max(dot(reflect(dirL.direction, n), toCamera), 0.0), specularAlpha);

    vec3 lit = albedo * (materialCoefficients.x + materialCoefficients.y * diffuse * dirL.color) +
               materialCoefficients.z * specular * dirL.color;
    color = vec4(lit, 1.0);
}
