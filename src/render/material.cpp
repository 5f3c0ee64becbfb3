#include "material.h"

#include "shader.h"
#include "texture.h"

Material::Material(std::shared_ptr<Shader> materialShader, glm::vec3 coefficients, float alpha)
    : shader(std::move(materialShader)), materialCoefficients(coefficients), specularAlpha(alpha)
{
}

void Material::setUniforms()
{
    shader->setUniform("materialCoefficients", materialCoefficients);
    shader->setUniform("specularAlpha", specularAlpha);
}

TextureMaterial::TextureMaterial(std::shared_ptr<Shader> materialShader, glm::vec3 coefficients, float alpha,
                                 std::shared_ptr<Texture> diffuse)
    : Material(std::move(materialShader), coefficients, alpha), texture(std::move(diffuse))
{
}

void TextureMaterial::setUniforms()
{
    Material::setUniforms();
    texture->bind(0);
    shader->setUniform("diffuseTexture", 0);
}

TintMaterial::TintMaterial(std::shared_ptr<Shader> materialShader, glm::vec4 color)
    : Material(std::move(materialShader), glm::vec3(0.0f), 0.0f), tint(color)
{
}

void TintMaterial::setUniforms()
{
    shader->setUniform("tint", tint);
}

TextMaterial::TextMaterial(std::shared_ptr<Shader> materialShader, std::shared_ptr<Texture> image)
    : Material(std::move(materialShader), glm::vec3(0.0f), 0.0f), texture(std::move(image))
{
}

void TextMaterial::setUniforms()
{
    texture->bind(0);
    shader->setUniform("glyphTextureSampler", 0);
}
