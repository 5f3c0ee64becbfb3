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
    size_t bufferCapacity = 0; // vertices the two buffers have room for
    std::shared_ptr<Shader> textShader;
    std::shared_ptr<Texture> fontTexture;
    std::shared_ptr<TextMaterial> textMaterial;
    TextVertices vertices; // kept between strings: drawing allocates nothing
};

TextRenderer renderer;

// Storage is made anew only when the text outgrows it; otherwise the vertices overwrite it.
void uploadAttribute(GLuint buffer, const std::vector<glm::vec2>& values, size_t capacity, bool grow)
{
    const auto bytes = [](size_t vertices) { return static_cast<GLsizeiptr>(vertices * sizeof(glm::vec2)); };
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    if (grow)
        glBufferData(GL_ARRAY_BUFFER, bytes(capacity), nullptr, GL_STREAM_DRAW);
    // WebGL reads a length of 0 as "all of the source".
    if (!values.empty())
        glBufferSubData(GL_ARRAY_BUFFER, 0, bytes(values.size()), values.data());
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
    vertices.positions.clear();
    vertices.uvs.clear();
    appendTextVertices(vertices, text, x, y, size, centered);
}

void appendTextVertices(TextVertices& vertices, std::string_view text, int x, int y, int size, bool centered)
{
    const int n = static_cast<int>(text.size());
    // Whole glyphs only: an odd count leaves its middle glyph right of centre.
    const int glyphsLeftOfCentre = n / 2;
    const float x0 = centered ? std::trunc(static_cast<float>(x) - static_cast<float>(glyphsLeftOfCentre * size) * 0.5f)
                              : static_cast<float>(x);
    const float s = static_cast<float>(size);
    const float bottom = static_cast<float>(y);
    const float top = bottom + s;

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
    // The attributes read the two buffers for good; uploads only replace what they hold.
    glBindVertexArray(renderer.textVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, renderer.textPositionBuffer);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, renderer.textUVBuffer);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
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
    uploadTextVertices(vertices);
    drawTextVertices(0, static_cast<int>(vertices.positions.size()), screenWidth, screenHeight);
}

void uploadTextVertices(const TextVertices& vertices)
{
    if (!renderer.textShader)
        return;
    const bool grow = vertices.positions.size() > renderer.bufferCapacity;
    if (grow)
        renderer.bufferCapacity = vertices.positions.capacity();
    uploadAttribute(renderer.textPositionBuffer, vertices.positions, renderer.bufferCapacity, grow);
    uploadAttribute(renderer.textUVBuffer, vertices.uvs, renderer.bufferCapacity, grow);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void drawTextVertices(int first, int count, int screenWidth, int screenHeight)
{
    if (!renderer.textShader)
        return;
    renderer.textShader->use();
    renderer.textMaterial->setUniforms();
    renderer.textShader->setUniform("width", screenWidth);
    renderer.textShader->setUniform("height", screenHeight);

    glBindVertexArray(renderer.textVertexArray);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDrawArrays(GL_TRIANGLES, first, count);
    glDisable(GL_BLEND);
    glBindVertexArray(0);
}

void releaseText()
{
    glDeleteBuffers(1, &renderer.textPositionBuffer);
    glDeleteBuffers(1, &renderer.textUVBuffer);
    glDeleteVertexArrays(1, &renderer.textVertexArray);
    renderer = TextRenderer{};
}
