#include "text.h"

#include <cmath>
#include <memory>

#include "gl.h"
#include "material.h"
#include "shader.h"
#include "texture.h"

namespace {

struct TextRenderer {
    GLuint textVertexArray = 0;
    GLuint textPositionBuffer = 0;
    GLuint textUVBuffer = 0;
    std::shared_ptr<Shader> textShader;
    std::shared_ptr<Texture> fontTexture;
    std::shared_ptr<TextMaterial> textMaterial;
    TextVertices vertices; // kept between strings: drawing allocates nothing
};

TextRenderer renderer;

void uploadAttribute(GLuint buffer, GLuint location, const std::vector<glm::vec2>& values)
{
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(values.size() * sizeof(glm::vec2)), values.data(),
                 GL_STATIC_DRAW);
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
}

} // namespace

TextVertices buildTextVertices(std::string_view text, int x, int y, int size, bool centered)
{
    TextVertices vertices;
    fillTextVertices(vertices, text, x, y, size, centered);
    return vertices;
}

void fillTextVertices(TextVertices& vertices, std::string_view text, int x, int y, int size, bool centered)
{
    const int n = static_cast<int>(text.size());
    // Whole glyphs only: an odd count leaves its middle glyph right of centre.
    const int glyphsLeftOfCentre = n / 2;
    const float x0 = centered ? std::trunc(static_cast<float>(x) - static_cast<float>(glyphsLeftOfCentre * size) * 0.5f)
                              : static_cast<float>(x);
    const float s = static_cast<float>(size);
    const float bottom = static_cast<float>(y);
    const float top = bottom + s;

    vertices.positions.clear();
    vertices.uvs.clear();
    for (int i = 0; i < n; ++i) {
        const float left = x0 + 0.5f * static_cast<float>(i * size);
        const float right = left + 0.6f * s;
        vertices.positions.insert(
            vertices.positions.end(),
            {{left, top}, {left, bottom}, {right, top}, {right, bottom}, {right, top}, {left, bottom}});

        const int code = static_cast<unsigned char>(text[static_cast<size_t>(i)]);
        const int column = code % 16;
        const int row = code / 16;
        const float uLeft = static_cast<float>(column) * 0.0625f;
        const float vTop = static_cast<float>(row) * 0.0625f;
        const float uRight = uLeft + 0.05f;
        const float vBottom = vTop + 0.0625f;
        vertices.uvs.insert(
            vertices.uvs.end(),
            {{uLeft, vTop}, {uLeft, vBottom}, {uRight, vTop}, {uRight, vBottom}, {uRight, vTop}, {uLeft, vBottom}});
    }
}

void initText(std::string fontTexturePath, std::string vertexShaderPath, std::string fragmentShaderPath)
{
    glGenVertexArrays(1, &renderer.textVertexArray);
    glGenBuffers(1, &renderer.textPositionBuffer);
    glGenBuffers(1, &renderer.textUVBuffer);
    renderer.textShader = std::make_shared<Shader>(std::move(vertexShaderPath), std::move(fragmentShaderPath));
    renderer.fontTexture = std::make_shared<Texture>(std::move(fontTexturePath));
    renderer.textMaterial = std::make_shared<TextMaterial>(renderer.textShader, renderer.fontTexture);
}

void drawText(std::string_view text, int x, int y, int size, int screenWidth, int screenHeight, bool centered)
{
    if (!renderer.textShader)
        return;
    TextVertices& vertices = renderer.vertices;
    fillTextVertices(vertices, text, x, y, size, centered);

    renderer.textShader->use();
    renderer.textMaterial->setUniforms();
    renderer.textShader->setUniform("width", screenWidth);
    renderer.textShader->setUniform("height", screenHeight);

    glBindVertexArray(renderer.textVertexArray);
    uploadAttribute(renderer.textPositionBuffer, 0, vertices.positions);
    uploadAttribute(renderer.textUVBuffer, 1, vertices.uvs);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.positions.size()));
    glDisable(GL_BLEND);
    glDisableVertexAttribArray(0);
    glDisableVertexAttribArray(1);
}

void releaseText()
{
    glDeleteBuffers(1, &renderer.textPositionBuffer);
    glDeleteBuffers(1, &renderer.textUVBuffer);
    glDeleteVertexArrays(1, &renderer.textVertexArray);
    renderer = TextRenderer{};
}
