#pragma once

#include <array>
#include <memory>
#include <string>

#include <glm/glm.hpp>

#include "gl.h"

class Shader;
class Texture;
class TextMaterial;

// One textured rectangle in window pixels, blended over the frame: the HUD's plates and the
// pause screen's backdrop. Each panel has its own program.
class HudPanel {
public:
    HudPanel(std::string texturePath, std::string vertexShaderPath, std::string fragmentShaderPath);
    ~HudPanel();

    HudPanel(const HudPanel&) = delete;
    HudPanel& operator=(const HudPanel&) = delete;

    // (x, y) is the bottom-left corner; the image's top edge is drawn at the top. The quad is sent
    // to GL only when the rectangle differs from the last one drawn: a screen's panels stand still.
    void draw(int x, int y, int width, int height, int screenWidth, int screenHeight);

    struct Vertices {
        std::array<glm::vec2, 6> positions;
        std::array<glm::vec2, 6> uvs;
    };
    static Vertices vertices(int x, int y, int width, int height);

private:
    GLuint positionBuffer = 0;
    GLuint uvBuffer = 0;
    GLuint vertexArray = 0;
    std::shared_ptr<Shader> shader;
    std::shared_ptr<Texture> texture;
    std::shared_ptr<TextMaterial> material;
    std::array<int, 4> uploadedRectangle{0, 0, -1, -1}; // x, y, width, height; none yet
};
