#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "cube_drawer.h"
#include "geometry.h"
#include "gl_context.h"
#include "lighting.h"
#include "material.h"
#include "post_process.h"
#include "run.h"
#include "scene_resources.h"
#include "shader.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 384;

using Pixels = std::vector<unsigned char>; // RGBA rows, bottom first

Pixels readPixels()
{
    Pixels pixels(static_cast<size_t>(kWidth * kHeight * 4));
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Pixels whose largest channel difference exceeds `tolerance`.
int differingPixels(const Pixels& a, const Pixels& b, int tolerance = 0)
{
    int differing = 0;
    for (size_t i = 0; i < a.size(); i += 4) {
        int largest = 0;
        for (size_t c = 0; c < 3; ++c)
            largest = std::max(largest, std::abs(a[i + c] - b[i + c]));
        differing += largest > tolerance ? 1 : 0;
    }
    return differing;
}

// A hidden window of the frames' size, current while it lives. Its context shares the test
// context's shaders, textures and buffers; vertex arrays and framebuffers it makes are its own.
class FrameWindow {
public:
    explicit FrameWindow(GLFWwindow* testWindow) : previous(testWindow)
    {
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        window = glfwCreateWindow(kWidth, kHeight, "zarnok frame test", nullptr, testWindow);
        glfwMakeContextCurrent(window);
    }
    ~FrameWindow()
    {
        glfwMakeContextCurrent(previous);
        glfwDestroyWindow(window);
    }
    FrameWindow(const FrameWindow&) = delete;
    FrameWindow& operator=(const FrameWindow&) = delete;

    bool open() const { return window != nullptr; }

private:
    GLFWwindow* previous;
    GLFWwindow* window = nullptr;
};

// The ways a frame's cubes and composite have been drawn: today's, and the ones before them.
class FramePaths {
public:
    FramePaths(SceneResources& sceneResources, const CubeList& trackCubes, const Camera& sceneCamera)
        : resources(sceneResources), cubes(trackCubes), camera(sceneCamera),
          postProcess(PostProcessFramebuffer::create(kWidth, kHeight)), compositeShaders(loadCompositeShaders()),
          beforeTiles("tests/data/composite_before_tiles.vert", "tests/data/composite_before_tiles.frag"),
          blurInOnePass("tests/data/composite_before_tiles.vert", "assets/shaders/framebuffer.frag"),
          oneByOneMaterial(std::make_shared<TextureMaterial>(resources.textureShader, glm::vec3(0.3f, 1.0f, 0.1f), 8.0f,
                                                             resources.wallsTexture)),
          cubeDrawer(unitCubeData, resources.wallsMaterial)
    {
        const float quad[] = {-1, 1, 0, 1, -1, -1, 0, 0, 1, -1, 1, 0, 1, -1, 1, 0, 1, 1, 1, 1, -1, 1, 0, 1};
        glGenVertexArrays(1, &quadArray);
        glGenBuffers(1, &quadBuffer);
        glBindVertexArray(quadArray);
        glBindBuffer(GL_ARRAY_BUFFER, quadBuffer);
        glBufferData(GL_ARRAY_BUFFER, sizeof(quad), quad, GL_STATIC_DRAW);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float),
                              reinterpret_cast<const void*>(2 * sizeof(float))); // NOLINT(performance-no-int-to-ptr)
        glBindVertexArray(0);
    }
    ~FramePaths()
    {
        glDeleteBuffers(1, &quadBuffer);
        glDeleteVertexArrays(1, &quadArray);
    }
    FramePaths(const FramePaths&) = delete;
    FramePaths& operator=(const FramePaths&) = delete;

    // The start track into the scene target, drawn one cube at a time or all in one draw.
    void drawScene(bool oneByOne, bool hideBackFaces)
    {
        const DirectionalLight light(glm::vec3(1.0f, 0.8f, 0.8f), glm::vec3(-1.0f, -2.0f, 0.0f), true);
        for (Shader* shader : {resources.textureShader.get(), resources.cubesShader.get()})
            setPerFrameUniforms(*shader, camera.position, camera.viewProjection(), light, kWidth, kHeight, {});
        postProcess->beginScene();
        glClearColor(1.0f, 0.8f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        if (oneByOne)
            drawCubesOneByOne(hideBackFaces);
        else
            cubeDrawer.draw(cubes, camera.position, 1.0f, hideBackFaces);
    }

    enum class Composite { Tiles, BeforeTiles, BlurInOnePass };

    // The scene into the window, through the tiles, the single pass they replaced, or today's blur
    // over the whole window in one pass; returns the window.
    Pixels compose(Composite composite, const glm::mat4& previousViewProjection)
    {
        if (composite == Composite::Tiles)
            postProcess->drawToScreen(compositeShaders, camera.viewProjection(), previousViewProjection);
        else
            composeInOnePass(composite == Composite::BeforeTiles ? beforeTiles : blurInOnePass, previousViewProjection);
        return readPixels();
    }

    // Today's frame, or the frame as it was drawn before.
    Pixels frame(bool before, const glm::mat4& previousViewProjection)
    {
        drawScene(before, true);
        return compose(before ? Composite::BeforeTiles : Composite::Tiles, previousViewProjection);
    }

private:
    void drawCubesOneByOne(bool hideBackFaces)
    {
        std::vector<const Cube*> nearestFirst;
        for (const std::unique_ptr<Cube>& cube : cubes)
            nearestFirst.push_back(cube.get());
        const auto distance = [&](const Cube* cube) {
            const glm::vec3 offset = cube->position() - camera.position;
            return glm::dot(offset, offset);
        };
        std::stable_sort(nearestFirst.begin(), nearestFirst.end(),
                         [&](const Cube* a, const Cube* b) { return distance(a) < distance(b); });
        if (hideBackFaces)
            glEnable(GL_CULL_FACE);
        for (const Cube* cube : nearestFirst)
            Geometry(cube->modelMatrix(), unitCubeData, oneByOneMaterial).draw();
        glDisable(GL_CULL_FACE);
    }

    void composeInOnePass(Shader& shader, const glm::mat4& previousViewProjection)
    {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        shader.use();
        shader.setUniform("invViewProjection", glm::inverse(camera.viewProjection()));
        shader.setUniform("prevViewProjection", previousViewProjection);
        shader.setUniform("reprojection", previousViewProjection * glm::inverse(camera.viewProjection()));
        glDisable(GL_DEPTH_TEST);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glBindVertexArray(quadArray);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, postProcess->colorTextureHandle());
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_2D, postProcess->depthTextureHandle());
        glDrawArrays(GL_TRIANGLES, 0, 6);
        glBindTexture(GL_TEXTURE_2D, 0);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, 0);
        glBindVertexArray(0);
    }

    SceneResources& resources;
    const CubeList& cubes;
    const Camera& camera;
    std::unique_ptr<PostProcessFramebuffer> postProcess;
    CompositeShaders compositeShaders;
    Shader beforeTiles;
    Shader blurInOnePass;
    std::shared_ptr<Material> oneByOneMaterial;
    CubeDrawer cubeDrawer;
    GLuint quadArray = 0;
    GLuint quadBuffer = 0;
};

bool isSky(const Pixels& pixels, size_t i)
{
    return pixels[i] == 255 && pixels[i + 1] == 204 && pixels[i + 2] == 255;
}

// The start of a track (seed 1234) and the scene's resources, in a real GL context.
class TrackFrames : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        testing::internal::CaptureStdout(); // the shaders' "Read shader" lines
        if (unitCubeData.positions.empty())
            prepareProgramData();
        resources = loadSceneResources();
        run = std::make_unique<::Run>(1234, 1280.0f / 768.0f);
        testing::internal::GetCapturedStdout();
    }
    void TearDown() override
    {
        run.reset();
        resources.release();
    }

    Camera& camera() { return run->world().player().camera; }

    SceneResources resources;
    std::unique_ptr<::Run> run;
};

} // namespace

// Culling the cubes' back faces is only a saving: the picture stays the one the depth test gave.
// Faces wound the wrong way round would vanish here; a pass that left culling on would change F2.
TEST_F(TrackFrames, HidingTheCubesBackFacesChangesNothingOnScreen)
{
    FrameWindow frameWindow(window);
    ASSERT_TRUE(frameWindow.open());
    FramePaths paths(resources, run->world().cubes, camera());
    glDisable(GL_CULL_FACE);
    const glm::mat4 still = camera().viewProjection();
    paths.drawScene(false, false);
    const Pixels allFaces = paths.compose(FramePaths::Composite::Tiles, still);
    paths.drawScene(false, true);
    const Pixels frontFaces = paths.compose(FramePaths::Composite::Tiles, still);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));

    int cubePixels = 0;
    for (size_t i = 0; i < allFaces.size(); i += 4)
        cubePixels += isSky(allFaces, i) ? 0 : 1;
    EXPECT_GT(cubePixels, kWidth * kHeight / 4);
    // Far off at the horizon the depth buffer cannot part a cube's front from its back, and the
    // back face won the odd pixel there: one in a thousand may differ, no more.
    const int differing = differingPixels(allFaces, frontFaces);
    EXPECT_LE(differing, kWidth * kHeight / 1000) << differing << " pixels differ";
}

// The one instanced draw of the cubes and the tiled composite show what the cubes drawn one by one
// and the single full-screen pass showed: exactly, while the camera stands. While it moves, the
// cubes are still exact, and the tiles leave out only pixels the blur would not have touched; the
// blur itself is now centred on each pixel (see PostProcess.AMovingCameraBlursBothWaysAlongTheMotion).
TEST_F(TrackFrames, TheFrameLooksAsBeforeTheCubesWereDrawnTogetherAndTheCompositeTiled)
{
    FrameWindow frameWindow(window);
    ASSERT_TRUE(frameWindow.open());
    FramePaths paths(resources, run->world().cubes, camera());
    const glm::mat4 still = camera().viewProjection();
    EXPECT_EQ(differingPixels(paths.frame(false, still), paths.frame(true, still)), 0);

    // One frame of the run with a small turn of the mouse.
    const glm::mat4 before = camera().viewProjection();
    camera().position.z -= 2.0f / 60.0f;
    camera().look(4.0f, -2.0f);
    const Pixels then = paths.frame(true, before);
    paths.drawScene(false, true);
    EXPECT_EQ(differingPixels(paths.compose(FramePaths::Composite::BeforeTiles, before), then), 0)
        << "the cubes drawn together differ";
    const Pixels wholeWindowBlurred = paths.compose(FramePaths::Composite::BlurInOnePass, before);
    const Pixels now = paths.compose(FramePaths::Composite::Tiles, before);
    EXPECT_EQ(differingPixels(now, wholeWindowBlurred), 0) << "a tile left out pixels that move";

    const Pixels sharp = paths.frame(false, camera().viewProjection());
    EXPECT_GT(differingPixels(now, sharp, 8), kWidth * kHeight / 50) << "the moving camera blurred nothing";
}
