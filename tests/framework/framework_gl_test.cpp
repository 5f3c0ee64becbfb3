#include <gtest/gtest.h>

#include "framework.h"
#include "gl_context.h"
#include "shader.h"

namespace {

class Framework : public GlTest {
protected:
    void TearDown() override
    {
        shutdownFramework();
        glUseProgram(0);
    }
};

GLint integer(GLenum name)
{
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

} // namespace

TEST_F(Framework, InstallsTheFallbackProgramWhenNoneIsCurrent)
{
    glUseProgram(0);
    ASSERT_TRUE(initFramework());
    ASSERT_NE(defaultProgram(), nullptr);
    EXPECT_EQ(static_cast<GLuint>(integer(GL_CURRENT_PROGRAM)), defaultProgram()->handle());
}

TEST_F(Framework, KeepsAProgramThatIsAlreadyCurrent)
{
    Shader existing;
    existing.use();
    ASSERT_TRUE(initFramework());
    EXPECT_EQ(defaultProgram(), nullptr);
    EXPECT_EQ(static_cast<GLuint>(integer(GL_CURRENT_PROGRAM)), existing.handle());
}

TEST_F(Framework, UploadsTheBuiltinMeshAndLeavesNothingBound)
{
    ASSERT_TRUE(initFramework());
    const BuiltinMesh& mesh = builtinMesh();
    EXPECT_EQ(mesh.indexCount, 1728);
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(integer(GL_ELEMENT_ARRAY_BUFFER_BINDING), 0);

    GLint size = 0;
    glBindBuffer(GL_ARRAY_BUFFER, mesh.vertexBuffer);
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    EXPECT_EQ(size, 6144);
    glBindVertexArray(mesh.vertexArray);
    EXPECT_EQ(static_cast<GLuint>(integer(GL_ELEMENT_ARRAY_BUFFER_BINDING)), mesh.indexBuffer);
    glGetBufferParameteriv(GL_ELEMENT_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    EXPECT_EQ(size, 6912);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Framework, TheFallbackProgramDrawsTheMeshInRed)
{
    glUseProgram(0);
    ASSERT_TRUE(initFramework());
    OffscreenTarget target(32, 32);
    glClearColor(0, 0, 0, 1);
    glDisable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT);
    glBindVertexArray(builtinMesh().vertexArray);
    glDrawElements(GL_TRIANGLES, builtinMesh().indexCount, GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);

    const OffscreenTarget::Rgb centre = target.pixel(16, 16);
    EXPECT_EQ(centre.r, 255);
    EXPECT_EQ(centre.g, 0);
    EXPECT_EQ(centre.b, 0);
    const OffscreenTarget::Rgb corner = target.pixel(0, 0);
    EXPECT_EQ(corner.r, 0);
}

TEST_F(Framework, ShutdownReleasesWhatItCreated)
{
    glUseProgram(0);
    ASSERT_TRUE(initFramework());
    const BuiltinMesh mesh = builtinMesh();
    const GLuint program = defaultProgram()->handle();
    shutdownFramework();
    EXPECT_EQ(defaultProgram(), nullptr);
    EXPECT_FALSE(glIsBuffer(mesh.vertexBuffer));
    EXPECT_FALSE(glIsBuffer(mesh.indexBuffer));
    EXPECT_FALSE(glIsVertexArray(mesh.vertexArray));
    EXPECT_FALSE(glIsProgram(program));
}

TEST_F(Framework, RefusesToStartWithoutACurrentContext)
{
    glfwMakeContextCurrent(nullptr);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(initFramework());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "No context available. Exiting.\n");
    glfwMakeContextCurrent(window);
}

TEST(BuiltinMeshData, IndicesFollowThePatchGrid)
{
    const std::vector<GLuint> indices = builtinMeshIndices();
    ASSERT_EQ(indices.size(), 1728u);
    EXPECT_EQ((std::vector<GLuint>(indices.begin(), indices.begin() + 6)), (std::vector<GLuint>{0, 5, 4, 0, 1, 5}));
    // Patch 31, row 2, column 2: a = 16 * 31 + 4 * 2 + 2 = 506.
    EXPECT_EQ((std::vector<GLuint>(indices.end() - 6, indices.end())),
              (std::vector<GLuint>{506, 511, 510, 506, 507, 511}));
    EXPECT_EQ(builtinMeshPositions().size(), 512u * 3u);
}
