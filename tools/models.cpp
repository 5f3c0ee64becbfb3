#include "models.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr float kPi = 3.14159265f;

struct Vec3 {
    float x, y, z;
};

Vec3 operator+(Vec3 a, Vec3 b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

Vec3 operator*(Vec3 a, float s)
{
    return {a.x * s, a.y * s, a.z * s};
}

Vec3 rotateY(Vec3 v, float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return {c * v.x + s * v.z, v.y, -s * v.x + c * v.z};
}

struct Vertex {
    Vec3 position;
    Vec3 normal;
    float u, v;
};

struct Mesh {
    std::vector<Vertex> vertices;
    std::vector<int> triangles; // three vertex indices each, counter-clockwise seen from outside

    void quad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d)
    {
        const int base = static_cast<int>(vertices.size());
        vertices.insert(vertices.end(), {a, b, c, d});
        triangles.insert(triangles.end(), {base, base + 1, base + 2, base + 2, base + 3, base});
    }

    void triangle(const Vertex& a, const Vertex& b, const Vertex& c)
    {
        const int base = static_cast<int>(vertices.size());
        vertices.insert(vertices.end(), {a, b, c});
        triangles.insert(triangles.end(), {base, base + 1, base + 2});
    }
};

// A box of half extents `half`, turned by `angle` about y; texture coordinates in units of `tile`.
void addBox(Mesh& mesh, Vec3 half, float angle, float tile)
{
    struct Face {
        Vec3 normal, uAxis, vAxis;
    };
    const Face faces[6] = {
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}}, {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
        {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}}, {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    };
    auto scaled = [&](Vec3 axis) { return Vec3{axis.x * half.x, axis.y * half.y, axis.z * half.z}; };
    auto extent = [&](Vec3 axis) {
        return std::abs(axis.x) * half.x + std::abs(axis.y) * half.y + std::abs(axis.z) * half.z;
    };
    for (const Face& face : faces) {
        const Vec3 centre = scaled(face.normal);
        const Vec3 u = scaled(face.uAxis);
        const Vec3 v = scaled(face.vAxis);
        const float uSize = 2.0f * extent(face.uAxis) / tile;
        const float vSize = 2.0f * extent(face.vAxis) / tile;
        const Vec3 n = rotateY(face.normal, angle);
        auto corner = [&](float su, float sv) {
            return Vertex{rotateY(centre + u * su + v * sv, angle), n, (su + 1.0f) * 0.5f * uSize,
                          (sv + 1.0f) * 0.5f * vSize};
        };
        mesh.quad(corner(-1, -1), corner(1, -1), corner(1, 1), corner(-1, 1));
    }
}

// A box of half extents `half` centred on `centre`.
void addBoxAt(Mesh& mesh, Vec3 centre, Vec3 half)
{
    const size_t first = mesh.vertices.size();
    addBox(mesh, half, 0.0f, 1.0f);
    for (size_t i = first; i < mesh.vertices.size(); ++i)
        mesh.vertices[i].position = mesh.vertices[i].position + centre;
}

// A flat polygon in the xy plane (counter-clockwise, given as a fan of convex parts) extruded
// `depth` along z and centred on z = 0.
void addExtrudedFan(Mesh& mesh, const std::vector<std::vector<Vec3>>& convexParts, const std::vector<Vec3>& outline,
                    float depth)
{
    const float front = depth / 2.0f;
    auto flat = [](Vec3 p, float z, Vec3 normal) { return Vertex{{p.x, p.y, z}, normal, p.x + 0.5f, p.y + 0.5f}; };
    for (const std::vector<Vec3>& part : convexParts)
        for (size_t i = 1; i + 1 < part.size(); ++i) {
            mesh.triangle(flat(part[0], front, {0, 0, 1}), flat(part[i], front, {0, 0, 1}),
                          flat(part[i + 1], front, {0, 0, 1}));
            mesh.triangle(flat(part[0], -front, {0, 0, -1}), flat(part[i + 1], -front, {0, 0, -1}),
                          flat(part[i], -front, {0, 0, -1}));
        }
    for (size_t i = 0; i < outline.size(); ++i) {
        const Vec3 a = outline[i];
        const Vec3 b = outline[(i + 1) % outline.size()];
        const float length = std::hypot(b.x - a.x, b.y - a.y);
        const Vec3 n{(b.y - a.y) / length, -(b.x - a.x) / length, 0};
        mesh.quad(Vertex{{a.x, a.y, front}, n, 0, 0}, Vertex{{a.x, a.y, -front}, n, 0, 1},
                  Vertex{{b.x, b.y, -front}, n, 1, 1}, Vertex{{b.x, b.y, front}, n, 1, 0});
    }
}

// A coin: a cylinder around the z axis.
void addCoin(Mesh& mesh, Vec3 centre, float radius, float depth, int segments)
{
    std::vector<Vec3> rim;
    for (int i = 0; i < segments; ++i) {
        const float a = 2.0f * kPi * static_cast<float>(i) / static_cast<float>(segments);
        rim.push_back(Vec3{centre.x + radius * std::cos(a), centre.y + radius * std::sin(a), 0});
    }
    const size_t first = mesh.vertices.size();
    addExtrudedFan(mesh, {rim}, rim, depth);
    for (size_t i = first; i < mesh.vertices.size(); ++i)
        mesh.vertices[i].position.z += centre.z;
}

std::string toObj(const Mesh& mesh, const char* name)
{
    std::string text = std::string("# ZARNOK 2023 model: ") + name + "\no " + name + "\n";
    char line[128];
    for (const Vertex& v : mesh.vertices) {
        std::snprintf(line, sizeof line, "v %.6f %.6f %.6f\n", v.position.x, v.position.y, v.position.z);
        text += line;
    }
    for (const Vertex& v : mesh.vertices) {
        std::snprintf(line, sizeof line, "vt %.6f %.6f\n", v.u, v.v);
        text += line;
    }
    for (const Vertex& v : mesh.vertices) {
        std::snprintf(line, sizeof line, "vn %.6f %.6f %.6f\n", v.normal.x, v.normal.y, v.normal.z);
        text += line;
    }
    for (size_t i = 0; i < mesh.triangles.size(); i += 3) {
        const int a = mesh.triangles[i] + 1;
        const int b = mesh.triangles[i + 1] + 1;
        const int c = mesh.triangles[i + 2] + 1;
        std::snprintf(line, sizeof line, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a, a, b, b, b, c, c, c);
        text += line;
    }
    return text;
}

} // namespace

std::string platformModel()
{
    // Three 14 x 0.4 x 9 slabs. The game turns the model by 30 degrees, so these lie at 0, 60
    // and 120 degrees in the world, exactly on the platform's three physics boxes.
    Mesh mesh;
    for (float degrees : {-30.0f, 30.0f, 90.0f})
        addBox(mesh, Vec3{7.0f, 0.2f, 4.5f}, degrees * kPi / 180.0f, 2.0f);
    return toObj(mesh, "platform");
}

std::string glidePowerupModel()
{
    // An upward chevron, like a wing seen from behind.
    const Vec3 tip{0.0f, 0.5f, 0};
    const Vec3 right{0.5f, -0.35f, 0};
    const Vec3 notch{0.0f, -0.05f, 0};
    const Vec3 left{-0.5f, -0.35f, 0};
    Mesh mesh;
    addExtrudedFan(mesh, {{tip, notch, right}, {tip, left, notch}}, {tip, left, notch, right}, 0.14f);
    return toObj(mesh, "powerup_glide");
}

std::string ghostModel()
{
    // A small runner, its eyes at the origin (where the camera of the run it stands for is) and
    // its feet on the top of the cubes, half a unit below; it faces -z, down the track.
    Mesh mesh;
    addBoxAt(mesh, Vec3{0.0f, -0.02f, 0.0f}, Vec3{0.11f, 0.11f, 0.11f});
    addBoxAt(mesh, Vec3{0.0f, -0.29f, 0.0f}, Vec3{0.14f, 0.15f, 0.08f});
    for (float side : {-1.0f, 1.0f}) {
        addBoxAt(mesh, Vec3{0.19f * side, -0.28f, 0.0f}, Vec3{0.04f, 0.13f, 0.04f});
        addBoxAt(mesh, Vec3{0.07f * side, -0.52f, 0.0f}, Vec3{0.05f, 0.08f, 0.05f});
    }
    return toObj(mesh, "ghost");
}

std::string doublePointsPowerupModel()
{
    // Two coins side by side, one slightly in front of the other.
    Mesh mesh;
    addCoin(mesh, Vec3{-0.2f, 0.0f, 0.05f}, 0.3f, 0.1f, 32);
    addCoin(mesh, Vec3{0.2f, 0.0f, -0.05f}, 0.3f, 0.1f, 32);
    return toObj(mesh, "powerup_double");
}
