#pragma once

#include <glm/glm.hpp>
#include <memory>

class Shader;
class Texture;

// A shader together with the per-object values it expects, pushed just before a draw.
class Material {
public:
    Material(std::shared_ptr<Shader> shader, glm::vec3 materialCoefficients, float specularAlpha);
    virtual ~Material() = default;

    Material(const Material&) = delete;
    Material& operator=(const Material&) = delete;

    // Sends "materialCoefficients" (ambient, diffuse, specular factors) and "specularAlpha".
    // The caller has made the shader current.
    virtual void setUniforms();

    Shader& getShader() const { return *shader; }

protected:
    std::shared_ptr<Shader> shader;
    glm::vec3 materialCoefficients{0.0f};
    float specularAlpha = 0.0f;
};

// A lit material with a diffuse texture on unit 0 ("diffuseTexture").
class TextureMaterial : public Material {
public:
    TextureMaterial(std::shared_ptr<Shader> shader, glm::vec3 materialCoefficients, float specularAlpha,
                    std::shared_ptr<Texture> texture);

    void setUniforms() override;

private:
    std::shared_ptr<Texture> texture;
};

// A lit colour that lets what is behind it through, by its alpha ("tint"): a ghost over the track.
class TintMaterial : public Material {
public:
    TintMaterial(std::shared_ptr<Shader> shader, glm::vec4 tint);

    void setUniforms() override;

private:
    glm::vec4 tint;
};

// An unlit material with one image on unit 0 ("glyphTextureSampler"): text, HUD panels, particles.
class TextMaterial : public Material {
public:
    TextMaterial(std::shared_ptr<Shader> shader, std::shared_ptr<Texture> texture);

    void setUniforms() override;

private:
    std::shared_ptr<Texture> texture;
};
