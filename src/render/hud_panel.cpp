#include "hud_panel.h"

#include "material.h"
#include "shader.h"
#include "texture.h"

HudPanel::HudPanel(std::string texturePath, std::string vertexShaderPath, std::string fragmentShaderPath)
{
    glGenVertexArrays(1, &vertexArray);
    glGenBuffers(1, &positionBuffer);
    glGenBuffers(1, &uvBuffer);
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, positionBuffer);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, uvBuffer);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    shader = std::make_shared<Shader>(std::move(vertexShaderPath), std::move(fragmentShaderPath));
    texture = std::make_shared<Texture>(std::move(texturePath));
    material = std::make_shared<TextMaterial>(shader, texture);
}

HudPanel::~HudPanel()
{
    glDeleteBuffers(1, &positionBuffer);
    glDeleteBuffers(1, &uvBuffer);
    glDeleteVertexArrays(1, &vertexArray);
}

HudPanel::Vertices HudPanel::vertices(int x, int y, int width, int height)
{
    const float left = static_cast<float>(x);
    const float right = static_cast<float>(x + width);
    const float bottom = static_cast<float>(y);
    const float top = static_cast<float>(y + height);
    return {{{{left, top}, {left, bottom}, {right, top}, {right, bottom}, {right, top}, {left, bottom}}},
            {{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {1, 0}, {0, 1}}}};
}

void HudPanel::draw(int x, int y, int width, int height, int screenWidth, int screenHeight)
{
    if (!shader)
        return;
    const std::array<int, 4> rectangle{x, y, width, height};
    if (rectangle != uploadedRectangle) {
        const Vertices quad = vertices(x, y, width, height);
        glBindBuffer(GL_ARRAY_BUFFER, positionBuffer);
        glBufferData(GL_ARRAY_BUFFER, sizeof(quad.positions), quad.positions.data(), GL_STATIC_DRAW);
        glBindBuffer(GL_ARRAY_BUFFER, uvBuffer);
        glBufferData(GL_ARRAY_BUFFER, sizeof(quad.uvs), quad.uvs.data(), GL_STATIC_DRAW);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        uploadedRectangle = rectangle;
    }

    shader->use();
    material->setUniforms();
    shader->setUniform("width", screenWidth);
    shader->setUniform("height", screenHeight);
    glBindVertexArray(vertexArray);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glDisable(GL_BLEND);
    glBindVertexArray(0);
}
