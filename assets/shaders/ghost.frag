#version 330 core

// A see-through runner: its colour lit by the sun, and more opaque towards its outline, so the
// track behind it stays in sight and its shape still reads. Right in front of the eye it fades
// out, rather than fill the view.

struct DirectionalLight {
    vec3 color;
    vec3 direction;
};

in vec3 worldPosition;
in vec3 worldNormal;
in vec2 texCoord;

uniform DirectionalLight dirL;
uniform vec3 camera_world;
uniform vec4 tint;

out vec4 color;

void main()
{
    vec3 n = normalize(worldNormal);
    vec3 toCamera = normalize(camera_world - worldPosition);
    float diffuse = max(dot(n, -dirL.direction), 0.0);
    float edge = 1.0 - abs(dot(n, toCamera));
    vec3 lit = tint.rgb * (0.8 + 0.3 * diffuse);
    float near = smoothstep(0.4, 1.5, distance(camera_world, worldPosition));
    color = vec4(lit, clamp(tint.a * (0.75 + 0.5 * edge), 0.0, 1.0) * near);
}
