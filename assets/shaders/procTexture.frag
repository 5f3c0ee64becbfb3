#version 330 core

// Lit like the textured meshes, with a pattern of square stone tiles laid out in world space,
// so overlapping slabs share one seamless floor.

struct DirectionalLight {
    vec3 color;
    vec3 direction;
};

in vec3 worldPosition;
in vec3 worldNormal;
in vec2 texCoord;

uniform DirectionalLight dirL;
uniform vec3 camera_world;
uniform vec3 materialCoefficients;
uniform float specularAlpha;
uniform int draw_normals;
uniform int draw_texcoords;

out vec4 color;

vec3 tilePattern(vec2 p)
{
    vec2 cell = floor(p);
    vec2 inCell = fract(p);
    float groutWidth = 0.05;
    float grout = step(groutWidth, inCell.x) * step(groutWidth, inCell.y);
    float checker = mod(cell.x + cell.y, 2.0);
    vec3 sand = vec3(0.86, 0.74, 0.52);
    vec3 teal = vec3(0.16, 0.52, 0.56);
    vec3 tile = mix(sand, teal, checker);
    // A darker diamond in every tile.
    float diamond = step(abs(inCell.x - 0.5) + abs(inCell.y - 0.5), 0.22);
    tile = mix(tile, tile * 0.6, diamond);
    return mix(vec3(0.25, 0.2, 0.18), tile, grout);
}

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

    vec3 albedo = tilePattern(worldPosition.xz);
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
