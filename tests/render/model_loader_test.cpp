#include <gtest/gtest.h>

#include "model_loader.h"
#include "temp_dir.h"

TEST(CubeGeometry, HasFourVerticesAFaceAndTwoTrianglesEach)
{
    const GeometryData cube = createCubeGeometry(1, 1, 1);
    ASSERT_EQ(cube.positions.size(), 24u);
    EXPECT_EQ(cube.normals.size(), 24u);
    EXPECT_EQ(cube.uvs.size(), 24u);
    EXPECT_TRUE(cube.extraAttribute.empty());
    ASSERT_EQ(cube.indices.size(), 36u);
    EXPECT_EQ((std::vector<GLuint>(cube.indices.begin(), cube.indices.begin() + 6)),
              (std::vector<GLuint>{0, 1, 2, 2, 3, 0}));
    for (const glm::vec3& p : cube.positions)
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_FLOAT_EQ(std::abs(p[axis]), 0.5f);
    // Every face winds counter-clockwise around its outward normal.
    for (size_t t = 0; t < cube.indices.size(); t += 3) {
        const glm::vec3 a = cube.positions[cube.indices[t]];
        const glm::vec3 b = cube.positions[cube.indices[t + 1]];
        const glm::vec3 c = cube.positions[cube.indices[t + 2]];
        EXPECT_GT(glm::dot(glm::cross(b - a, c - a), cube.normals[cube.indices[t]]), 0.0f) << "triangle " << t / 3;
    }
}

TEST(CubeGeometry, ScalesEachAxis)
{
    const GeometryData box = createCubeGeometry(2, 4, 6);
    EXPECT_EQ(box.positions[0], glm::vec3(-1, -2, 3));
}

TEST(QuadGeometry, IsATwoByTwoSquareFacingMinusZ)
{
    const GeometryData quad = createQuadGeometry();
    EXPECT_EQ(quad.positions, (std::vector<glm::vec3>{{-1, 1, 0}, {-1, -1, 0}, {1, -1, 0}, {1, 1, 0}}));
    EXPECT_EQ(quad.indices, (std::vector<GLuint>{0, 1, 2, 2, 3, 0}));
    EXPECT_EQ(quad.normals[3], glm::vec3(0, 0, -1));
}

TEST(ModelLoading, MissingTextureCoordinatesBecomeZero)
{
    const std::vector<GeometryData> meshes =
        loadModelFromMemory("v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nf 1//1 2//1 3//1\n");
    ASSERT_EQ(meshes.size(), 1u);
    ASSERT_EQ(meshes[0].uvs.size(), 3u);
    for (const glm::vec2& uv : meshes[0].uvs)
        EXPECT_EQ(uv, glm::vec2(0.0f));
    EXPECT_EQ(meshes[0].normals[0], glm::vec3(0, 0, 1));
    EXPECT_EQ(meshes[0].indices.size(), 3u);
}

TEST(ModelLoading, TextureCoordinatesAreFlippedVertically)
{
    const std::vector<GeometryData> meshes =
        loadModelFromMemory("v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0.25 0.2\nvt 1 0\nvt 0 1\nvn 0 0 1\nf 1/1/1 2/2/1 3/3/1\n");
    ASSERT_EQ(meshes.size(), 1u);
    EXPECT_FLOAT_EQ(meshes[0].uvs[0].x, 0.25f);
    EXPECT_FLOAT_EQ(meshes[0].uvs[0].y, 0.8f);
}

TEST(ModelLoading, QuadsAreTriangulatedAndMissingNormalsAreZero)
{
    const std::vector<GeometryData> meshes = loadModelFromMemory("v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n");
    ASSERT_EQ(meshes.size(), 1u);
    EXPECT_EQ(meshes[0].indices.size(), 6u);
    EXPECT_EQ(meshes[0].normals.size(), meshes[0].positions.size());
}

TEST(ModelLoading, AMissingFileGivesNoMeshesAndOneErrorLine)
{
    TempDir tmp;
    testing::internal::CaptureStderr();
    const std::vector<GeometryData> meshes = loadModel((tmp / "nothing.obj").string());
    const std::string error = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(meshes.empty());
    ASSERT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), error.size() - 1);
}

TEST(ModelLoading, TheShippedModelsLoadWithNormalsAndTextureCoordinates)
{
    for (const char* name : {"new_platform.obj", "powerup_glide.obj", "powerup_double.obj", "ghost.obj"}) {
        const std::vector<GeometryData> meshes = loadModelAsset(std::string("assets/models/") + name);
        ASSERT_FALSE(meshes.empty()) << name;
        for (const GeometryData& mesh : meshes) {
            EXPECT_FALSE(mesh.indices.empty()) << name;
            EXPECT_EQ(mesh.indices.size() % 3, 0u) << name;
            for (const glm::vec3& n : mesh.normals)
                EXPECT_NEAR(glm::length(n), 1.0f, 1e-4f) << name;
        }
    }
}

TEST(ModelLoading, ThePlatformLiesOnItsThreePhysicsBoxes)
{
    // The game draws the model turned by 30 degrees; its slabs then lie along 0, 60 and 120
    // degrees, 14 long, 9 wide and 0.4 thick. Seen from above, the model's extent along the
    // x axis is that of the three slabs together.
    const std::vector<GeometryData> meshes = loadModelAsset("assets/models/new_platform.obj");
    ASSERT_EQ(meshes.size(), 1u);
    float minY = 1e9f, maxY = -1e9f, maxRadius = 0.0f;
    for (const glm::vec3& p : meshes[0].positions) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
        maxRadius = std::max(maxRadius, std::hypot(p.x, p.z));
    }
    EXPECT_FLOAT_EQ(minY, -0.2f);
    EXPECT_FLOAT_EQ(maxY, 0.2f);
    EXPECT_NEAR(maxRadius, std::hypot(7.0f, 4.5f), 1e-4f);
    EXPECT_EQ(meshes[0].indices.size(), 3u * 36u);
}
