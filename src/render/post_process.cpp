#include "post_process.h"

#include "gl_features.h"
#include "shader.h"

namespace {

// Two triangles covering the screen: x, y, u, v per vertex.
constexpr float kQuadVertices[] = {
    -1, 1, 0, 1, -1, -1, 0, 0, 1, -1, 1, 0, 1, -1, 1, 0, 1, 1, 1, 1, -1, 1, 0, 1,
};

GLuint createAttachment(int width, int height, GLint internalFormat, GLenum format, GLenum type)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, type, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

} // namespace

CompositeShaders loadCompositeShaders()
{
    CompositeShaders shaders;
    shaders.tileMotion = std::make_shared<Shader>("assets/shaders/tile_motion.vert", "assets/shaders/tile_motion.frag");
    shaders.stillTiles =
        std::make_shared<Shader>("assets/shaders/framebuffer.vert", "assets/shaders/framebuffer_still.frag");
    shaders.movingTiles =
        std::make_shared<Shader>("assets/shaders/framebuffer.vert", "assets/shaders/framebuffer.frag");
    shaders.copy = std::make_shared<Shader>("assets/shaders/scene_copy.vert", "assets/shaders/scene_copy.frag");
    return shaders;
}

std::unique_ptr<PostProcessFramebuffer> PostProcessFramebuffer::create(int width, int height, bool motionBlur)
{
    std::unique_ptr<PostProcessFramebuffer> result(new PostProcessFramebuffer());
    if (!result->build(width, height, motionBlur))
        return nullptr;
    return result;
}

bool PostProcessFramebuffer::build(int targetWidth, int targetHeight, bool motionBlur)
{
    width = targetWidth;
    height = targetHeight;
    blurred = motionBlur;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    colorTexture = createAttachment(width, height, GL_RGB, GL_RGB, GL_UNSIGNED_BYTE);
    depthTexture = createAttachment(width, height, GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8);
    glBindTexture(GL_TEXTURE_2D, 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colorTexture, 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D, depthTexture, 0);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete || (blurred && !buildTileTarget()))
        return false;

    glGenVertexArrays(1, &quadVertexArray);
    glGenBuffers(1, &quadBuffer);
    glBindVertexArray(quadVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, quadBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(kQuadVertices), kQuadVertices, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glEnableVertexAttribArray(1);
    // GL takes the offset into the bound buffer in the place of a pointer.
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float),
                          reinterpret_cast<const void*>(2 * sizeof(float))); // NOLINT(performance-no-int-to-ptr)
    glBindVertexArray(0);
    return true;
}

bool PostProcessFramebuffer::buildTileTarget()
{
    tilesX = (width + kTileSize - 1) / kTileSize;
    tilesY = (height + kTileSize - 1) / kTileSize;
    glGenTextures(1, &tileTexture);
    glBindTexture(GL_TEXTURE_2D, tileTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_R32F, tilesX, tilesY, 0, GL_RED, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenFramebuffers(1, &tileFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, tileFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, tileTexture, 0);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return complete;
}

PostProcessFramebuffer::~PostProcessFramebuffer()
{
    glDeleteFramebuffers(1, &tileFramebuffer);
    glDeleteTextures(1, &tileTexture);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &colorTexture);
    glDeleteTextures(1, &depthTexture);
    glDeleteBuffers(1, &quadBuffer);
    glDeleteVertexArrays(1, &quadVertexArray);
}

void PostProcessFramebuffer::beginScene()
{
    glGetIntegerv(GL_VIEWPORT, windowViewport);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &windowFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, width, height);
}

void PostProcessFramebuffer::drawToScreen(const CompositeShaders& shaders, const glm::mat4& viewProjection,
                                          const glm::mat4& previousViewProjection) const
{
    if (!blurred) {
        copyToScreen(*shaders.copy);
        return;
    }
    const glm::mat4 reprojection = previousViewProjection * glm::inverse(viewProjection);
    glDisable(GL_DEPTH_TEST);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, colorTexture);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, depthTexture);
    glBindVertexArray(quadVertexArray);
    measureTileMotion(*shaders.tileMotion, reprojection);

    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(windowFramebuffer));
    glViewport(windowViewport[0], windowViewport[1], windowViewport[2], windowViewport[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_2D, tileTexture);
    programPointSize(true);
    drawTiles(*shaders.stillTiles, false);
    // Of the two, only the blur looks back at the previous frame.
    shaders.movingTiles->use();
    shaders.movingTiles->setUniform("reprojection", reprojection);
    drawTiles(*shaders.movingTiles, true);
    programPointSize(false);

    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindVertexArray(0);
}

void PostProcessFramebuffer::measureTileMotion(Shader& shader, const glm::mat4& reprojection) const
{
    GLint found[4] = {};
    glGetIntegerv(GL_VIEWPORT, found);
    glBindFramebuffer(GL_FRAMEBUFFER, tileFramebuffer);
    glViewport(0, 0, tilesX, tilesY);
    shader.use();
    shader.setUniform("reprojection", reprojection);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glViewport(found[0], found[1], found[2], found[3]);
}

void PostProcessFramebuffer::copyToScreen(Shader& shader) const
{
    glDisable(GL_DEPTH_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(windowFramebuffer));
    glViewport(windowViewport[0], windowViewport[1], windowViewport[2], windowViewport[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    shader.use();
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, colorTexture);
    glBindVertexArray(quadVertexArray);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void PostProcessFramebuffer::drawTiles(Shader& shader, bool moving) const
{
    shader.use();
    shader.setUniform("movingTiles", moving ? 1 : 0);
    glDrawArrays(GL_POINTS, 0, tilesX * tilesY);
}
