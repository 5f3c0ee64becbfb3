#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <glm/gtc/matrix_transform.hpp>

#include "block_decoder.h"
#include "dds.h"
#include "dds_writer.h"
#include "geometry.h"
#include "gl_context.h"
#include "lighting.h"
#include "material.h"
#include "post_process.h"
#include "shader.h"
#include "test_asset.h"
#include "texture.h"

namespace {

std::string solidDds(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    Image image(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.set(x, y, r / 255.0f, g / 255.0f, b / 255.0f);
    return encodeDds(image, DdsCompression::Dxt1);
}

GLint integer(GLenum name)
{
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

int queries = 0;
PFNGLGETUNIFORMLOCATIONPROC realGetUniformLocation = nullptr;

GLint GLAPIENTRY countingGetUniformLocation(GLuint program, const GLchar* name)
{
    ++queries;
    return realGetUniformLocation(program, name);
}

using RenderCore = GlTest;

// Window coordinates of a world point, for a target of the given size.
glm::ivec2 toPixel(const glm::mat4& viewProjection, glm::vec3 point, int size)
{
    const glm::vec4 clip = viewProjection * glm::vec4(point, 1.0f);
    const glm::vec2 ndc = glm::vec2(clip) / clip.w;
    return glm::ivec2((ndc * 0.5f + 0.5f) * static_cast<float>(size));
}

} // namespace

TEST_F(RenderCore, TheUniformCacheAsksGlOncePerName)
{
    Shader shader("assets/shaders/texture.vert", "assets/shaders/texture.frag");
    shader.use();
    realGetUniformLocation = glGetUniformLocation;
    glGetUniformLocation = countingGetUniformLocation;
    queries = 0;
    shader.setUniform("specularAlpha", 2.0f);
    shader.setUniform("specularAlpha", 3.0f);
    shader.setUniform("notInTheShader", 1);
    shader.setUniform("notInTheShader", 2);
    EXPECT_EQ(shader.getUniformLocation("notInTheShader"), -1);
    glGetUniformLocation = realGetUniformLocation;
    EXPECT_EQ(queries, 2);

    GLfloat value = 0;
    glGetUniformfv(shader.handle(), shader.getUniformLocation("specularAlpha"), &value);
    EXPECT_EQ(value, 3.0f);
}

TEST_F(RenderCore, DestroyingAShaderLeavesNoProgramCurrent)
{
    Shader other;
    {
        Shader doomed;
        other.use();
    }
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);
}

TEST_F(RenderCore, TexturesBindOnlyWhenTheyDecoded)
{
    const TestAsset good("good.dds", solidDds(0, 255, 0));
    const Texture texture(good.name());
    ASSERT_TRUE(texture.valid());
    texture.bind(3);
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE3);
    EXPECT_EQ(static_cast<GLuint>(integer(GL_TEXTURE_BINDING_2D)), texture.handle());
    GLint minFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);

    DdsHeaderFields rgba;
    rgba.width = rgba.height = 2;
    rgba.pixelFormatFlags = 0x41;
    rgba.fourCc = std::string(4, '\0');
    const TestAsset uncompressed("rgba.dds", encodeDdsHeader(rgba) + std::string(16, '\0'));
    testing::internal::CaptureStdout();
    const Texture invalid(uncompressed.name());
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(invalid.valid());
    invalid.bind(0);
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE3);
    EXPECT_EQ(static_cast<GLuint>(integer(GL_TEXTURE_BINDING_2D)), texture.handle());
}

// The browser build decodes the DXT blocks itself; the driver's decoding of the game's own
// textures, opaque and with alpha, and of a 6 x 6 image whose edge blocks hang over, is the
// reference.
TEST_F(RenderCore, DecodedBlocksAreTheDriversPixels)
{
    Image uneven(6, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            uneven.set(x, y, x / 5.0f, y / 5.0f, 0.5f, (x + y) / 10.0f);
    const TestAsset unevenFile("uneven.dds", encodeDds(uneven, DdsCompression::Dxt5));
    const std::string source = ZARNOK_SOURCE_DIR;
    for (const std::string& file :
         {source + "/assets/textures/wood_texture.dds", source + "/assets/textures/Calibri1024_transparent.dds",
          unevenFile.path().string()}) {
        const DDSImage image = loadDDS(file);
        ASSERT_TRUE(image.hasImage()) << file;
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glCompressedTexImage2D(GL_TEXTURE_2D, 0, image.internalFormat, static_cast<GLsizei>(image.width),
                               static_cast<GLsizei>(image.height), 0, static_cast<GLsizei>(image.imageSize),
                               image.data.data());
        std::vector<std::uint8_t> drivers(static_cast<size_t>(image.width) * image.height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, drivers.data());
        glDeleteTextures(1, &texture);

        const std::vector<std::uint8_t> ours = decodeBlocks(image);
        ASSERT_EQ(ours.size(), drivers.size()) << file;
        int farthest = 0;
        for (size_t i = 0; i < ours.size(); ++i)
            farthest = std::max(farthest, std::abs(ours[i] - drivers[i]));
        // The two round the blended colours each their own way.
        EXPECT_LE(farthest, 2) << file;
    }
}

TEST_F(RenderCore, ALitTexturedCubeIsBrightOnTheLitSideInTheTexturesColour)
{
    constexpr int kSize = 128;
    OffscreenTarget target(kSize, kSize);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);

    const TestAsset green("green.dds", solidDds(40, 200, 60));
    auto shader = std::make_shared<Shader>("assets/shaders/texture.vert", "assets/shaders/texture.frag");
    auto material = std::make_shared<TextureMaterial>(shader, glm::vec3(0.1f, 0.7f, 0.1f), 2.0f,
                                                      std::make_shared<Texture>(green.name()));
    std::vector<Geometry> meshes;
    meshes.emplace_back(glm::mat4(1.0f), createCubeGeometry(1, 1, 1), material);
    meshes.reserve(8); // moves the cube's GL objects into new storage

    // Seen from above, right and front: the top faces the light most, the right side less,
    // and the front not at all.
    const glm::vec3 eye(2.0f, 2.2f, 2.6f);
    const glm::mat4 viewProjection =
        glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 100.0f) * glm::lookAt(eye, glm::vec3(0), glm::vec3(0, 1, 0));
    const DirectionalLight light(glm::vec3(1.0f, 0.8f, 0.8f), glm::vec3(-1.0f, -2.0f, 0.0f), true);
    setPerFrameUniforms(*shader, eye, viewProjection, light, kSize, kSize, DebugViews{});
    meshes[0].draw();

    const auto brightness = [&](glm::vec3 point) {
        const glm::ivec2 p = toPixel(viewProjection, point, kSize);
        const OffscreenTarget::Rgb c = target.pixel(p.x, p.y);
        EXPECT_GT(c.g, c.r) << "not green at " << p.x << "," << p.y;
        EXPECT_GT(c.g, c.b) << "not green at " << p.x << "," << p.y;
        return c.r + c.g + c.b;
    };
    const int top = brightness({0.0f, 0.5f, 0.0f});
    const int right = brightness({0.5f, 0.0f, 0.0f});
    const int front = brightness({0.0f, 0.0f, 0.5f});
    EXPECT_GT(top, right);
    EXPECT_GT(right, front);
    EXPECT_GT(front, 0); // the ambient part
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(RenderCore, TheDebugViewsColourByNormal)
{
    constexpr int kSize = 64;
    OffscreenTarget target(kSize, kSize);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const TestAsset white("white.dds", solidDds(255, 255, 255));
    auto shader = std::make_shared<Shader>("assets/shaders/texture.vert", "assets/shaders/texture.frag");
    Geometry cube(glm::mat4(1.0f), createCubeGeometry(1, 1, 1),
                  std::make_shared<TextureMaterial>(shader, glm::vec3(0.1f, 0.7f, 0.1f), 2.0f,
                                                    std::make_shared<Texture>(white.name())));
    const glm::vec3 eye(0.0f, 0.0f, 3.0f);
    const glm::mat4 viewProjection =
        glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 100.0f) * glm::lookAt(eye, glm::vec3(0), glm::vec3(0, 1, 0));
    setPerFrameUniforms(*shader, eye, viewProjection, DirectionalLight({1, 1, 1}, {0, 0, -1}, true), kSize, kSize,
                        DebugViews{true, false});
    EXPECT_EQ(static_cast<GLuint>(integer(GL_CURRENT_PROGRAM)), shader->handle());
    cube.draw();
    // The front face's normal (0, 0, 1) shows as (0.5, 0.5, 1).
    const OffscreenTarget::Rgb c = target.pixel(kSize / 2, kSize / 2);
    EXPECT_NEAR(c.r, 128, 2);
    EXPECT_NEAR(c.g, 128, 2);
    EXPECT_EQ(c.b, 255);
}

TEST(DirectionalLightTest, StoresAUnitDirection)
{
    const DirectionalLight light(glm::vec3(1.0f, 0.8f, 0.8f), glm::vec3(-1.0f, -2.0f, 0.0f), true);
    EXPECT_NEAR(light.direction.x, -0.4472f, 1e-4f);
    EXPECT_NEAR(light.direction.y, -0.8944f, 1e-4f);
    EXPECT_EQ(light.direction.z, 0.0f);
    EXPECT_EQ(light.color, glm::vec3(1.0f, 0.8f, 0.8f));
}

namespace {

class PostProcess : public GlTest {
protected:
    static constexpr int kSize = 64; // the test window's size

    // Four coloured quadrants at two depths in a scene of `scene` pixels square, then the
    // composite into the window, with or without motion blur.
    std::vector<OffscreenTarget::Rgb> composite(const glm::mat4& current, const glm::mat4& previous, int scene = kSize,
                                                bool motionBlur = true)
    {
        auto framebuffer = PostProcessFramebuffer::create(scene, scene, motionBlur);
        EXPECT_TRUE(framebuffer);
        framebuffer->beginScene();
        const float colours[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}};
        glEnable(GL_SCISSOR_TEST);
        for (int q = 0; q < 4; ++q) {
            glScissor((q % 2) * scene / 2, (q / 2) * scene / 2, scene / 2, scene / 2);
            glClearColor(colours[q][0], colours[q][1], colours[q][2], 1);
            glClearDepth(q < 2 ? 0.3 : 0.9);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        }
        glDisable(GL_SCISSOR_TEST);
        glClearDepth(1.0);

        framebuffer->drawToScreen(loadCompositeShaders(), current, previous);
        std::vector<OffscreenTarget::Rgb> pixels;
        std::vector<unsigned char> rgba(kSize * kSize * 4);
        glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        for (size_t i = 0; i < rgba.size(); i += 4)
            pixels.push_back({rgba[i], rgba[i + 1], rgba[i + 2]});
        return pixels;
    }

    static glm::mat4 camera(glm::vec3 eye)
    {
        return glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 100.0f) *
               glm::lookAt(eye, eye + glm::vec3(0, 0, -1), glm::vec3(0, 1, 0));
    }
};

bool same(const OffscreenTarget::Rgb& a, const OffscreenTarget::Rgb& b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

} // namespace

TEST_F(PostProcess, AStillCameraReproducesTheSceneExactly)
{
    const glm::mat4 viewProjection = camera({0.3f, 1.0f, 2.0f});
    const std::vector<OffscreenTarget::Rgb> pixels = composite(viewProjection, viewProjection);
    int differing = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const int q = (x >= kSize / 2 ? 1 : 0) + (y >= kSize / 2 ? 2 : 0);
            const OffscreenTarget::Rgb expected[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
            differing += same(pixels[static_cast<size_t>(y * kSize + x)], expected[q]) ? 0 : 1;
        }
    EXPECT_EQ(differing, 0);

    // The pass leaves no texture bound on units 0 to 2, unit 0 active and depth testing off.
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
    for (GLenum unit : {GL_TEXTURE1, GL_TEXTURE2}) {
        glActiveTexture(unit);
        EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
    }
    glActiveTexture(GL_TEXTURE0);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(integer(GL_DRAW_FRAMEBUFFER_BINDING), 0);
}

// A scene drawn at half the window's size, without blur, fills the window; and the composite
// leaves the viewport it found, whatever size the scene was drawn at.
TEST_F(PostProcess, AHalfSizeSceneFillsTheWindowAndTheViewportIsTheOneFound)
{
    const glm::mat4 still = camera({0.0f, 0.0f, 0.0f});
    glViewport(0, 0, kSize, kSize);
    const std::vector<OffscreenTarget::Rgb> pixels = composite(still, still, kSize / 2, false);
    const OffscreenTarget::Rgb expected[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    for (int q = 0; q < 4; ++q) {
        const int x = (q % 2) * kSize / 2 + kSize / 4;
        const int y = (q / 2) * kSize / 2 + kSize / 4;
        EXPECT_TRUE(same(pixels[static_cast<size_t>(y * kSize + x)], expected[q])) << "quadrant " << q;
    }
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, kSize, kSize}));

    // With blur, a window viewport other than the scene's is kept too.
    glViewport(0, 0, kSize / 2, kSize / 2);
    composite(still, still);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, kSize / 2, kSize / 2}));
    glViewport(0, 0, kSize, kSize);
}

TEST_F(PostProcess, AMovingCameraBlursBothWaysAlongTheMotion)
{
    const std::vector<OffscreenTarget::Rgb> pixels = composite(camera({0.0f, 0.0f, 0.0f}), camera({0.4f, 0.0f, 0.0f}));
    // Across the vertical border between red and green the colours mix, as far into the red as
    // into the green: the smear is centred on each pixel, not drawn out ahead of it.
    int mixedLeft = 0;
    int mixedRight = 0;
    for (int x = 0; x < kSize; ++x) {
        const OffscreenTarget::Rgb c = pixels[static_cast<size_t>(8 * kSize + x)];
        const bool mixed = c.r > 10 && c.g > 10;
        (x < kSize / 2 ? mixedLeft : mixedRight) += mixed ? 1 : 0;
    }
    EXPECT_GT(mixedLeft, 0);
    EXPECT_NEAR(mixedLeft, mixedRight, 1);
}
