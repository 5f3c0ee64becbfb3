#pragma once

#include <memory>
#include <vector>

#include "geometry.h"
#include "post_process.h"

class Material;
class Shader;
class Texture;

// The shaders, textures and materials the 3D scene is drawn with, loaded once at start-up.
struct SceneResources {
    std::shared_ptr<Shader> cornellGouraudShader;
    std::shared_ptr<Shader> textureShader;
    std::shared_ptr<Shader> procTextureShader;
    std::shared_ptr<Shader> cubesShader; // texture's lighting for many cubes in one draw
    std::shared_ptr<Shader> ghostShader;
    CompositeShaders composite;

    std::shared_ptr<Texture> woodTexture;
    std::shared_ptr<Texture> wallsTexture;

    std::shared_ptr<Material> woodMaterial;
    std::shared_ptr<Material> wallsMaterial; // the cubes', with the cubes shader
    std::shared_ptr<Material> proceduralMaterial;
    std::shared_ptr<Material> ghostMaterial; // see-through green, which nothing else on the track is

    std::vector<GeometryData> glideModel;
    std::vector<GeometryData> doublePointsModel;
    std::vector<GeometryData> ghostModel;

    // Materials first, then textures, then shaders, each in reverse order of creation.
    void release();
};

// Loads every scene shader, texture and material; a missing or broken file ends the game.
SceneResources loadSceneResources();

// The two powerup models and the ghost's, into `resources`.
void loadPowerupModels(SceneResources& resources);

// The meshes that are only drawn, prepared before anything else: the unit cube every cube is
// drawn with, and the platform model every platform shares.
extern GeometryData unitCubeData;
extern std::vector<GeometryData> platformModel;

inline constexpr const char* kPlatformModelFile = "assets/models/new_platform.obj";
inline constexpr const char* kGlideModelFile = "assets/models/powerup_glide.obj";
inline constexpr const char* kDoublePointsModelFile = "assets/models/powerup_double.obj";
inline constexpr const char* kGhostModelFile = "assets/models/ghost.obj";

// What the program prepares before anything else: the cube mesh and the platform model.
void prepareProgramData();
