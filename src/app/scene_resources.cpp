#include "scene_resources.h"

#include "material.h"
#include "model_loader.h"
#include "shader.h"
#include "texture.h"

GeometryData unitCubeData;
std::vector<GeometryData> platformModel;

namespace {

std::shared_ptr<Shader> loadShaderPair(const std::string& name)
{
    return std::make_shared<Shader>("assets/shaders/" + name + ".vert", "assets/shaders/" + name + ".frag");
}

} // namespace

SceneResources loadSceneResources()
{
    SceneResources resources;
    resources.cornellGouraudShader = loadShaderPair("cornellGouraud");
    resources.textureShader = loadShaderPair("texture");
    resources.procTextureShader = loadShaderPair("procTexture");
    resources.cubesShader = std::make_shared<Shader>("assets/shaders/cubes.vert", "assets/shaders/texture.frag");
    resources.ghostShader = loadShaderPair("ghost");
    resources.composite = loadCompositeShaders();

    resources.woodTexture = std::make_shared<Texture>("assets/textures/wood_texture.dds");
    resources.wallsTexture = std::make_shared<Texture>("assets/textures/alhambra_walls.dds");

    resources.woodMaterial = std::make_shared<TextureMaterial>(resources.textureShader, glm::vec3(0.1f, 0.7f, 0.1f),
                                                               2.0f, resources.woodTexture);
    resources.wallsMaterial = std::make_shared<TextureMaterial>(resources.cubesShader, glm::vec3(0.3f, 1.0f, 0.1f),
                                                                8.0f, resources.wallsTexture);
    resources.proceduralMaterial =
        std::make_shared<Material>(resources.procTextureShader, glm::vec3(0.1f, 0.8f, 0.2f), 10.0f);
    resources.ghostMaterial = std::make_shared<TintMaterial>(resources.ghostShader, glm::vec4(0.25f, 1.0f, 0.35f, 0.5f));
    return resources;
}

void loadPowerupModels(SceneResources& resources)
{
    resources.glideModel = loadModelAsset(kGlideModelFile);
    resources.doublePointsModel = loadModelAsset(kDoublePointsModelFile);
    resources.ghostModel = loadModelAsset(kGhostModelFile);
}

void SceneResources::release()
{
    ghostMaterial.reset();
    proceduralMaterial.reset();
    wallsMaterial.reset();
    woodMaterial.reset();
    wallsTexture.reset();
    woodTexture.reset();
    composite = CompositeShaders{};
    ghostShader.reset();
    cubesShader.reset();
    procTextureShader.reset();
    textureShader.reset();
    cornellGouraudShader.reset();
}

void prepareProgramData()
{
    unitCubeData = createCubeGeometry(1.0f, 1.0f, 1.0f);
    platformModel = loadModelAsset(kPlatformModelFile);
}
