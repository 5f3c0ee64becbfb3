#include "track_drawer.h"

#include "game_world.h"
#include "scene_resources.h"

TrackDrawer::TrackDrawer(const SceneResources& sceneResources)
    : resources(sceneResources), cubeDrawer(unitCubeData, resources.wallsMaterial)
{
}

void TrackDrawer::draw(const GameWorld& world, const glm::vec3& eye, float blend, float frameSeconds,
                       bool cullCubeBackFaces)
{
    followPlatforms(world);
    followPowerup(world);
    cubeDrawer.draw(world.cubes, eye, blend, cullCubeBackFaces);
    powerup.spinAndDraw(frameSeconds);
    for (std::vector<Geometry>& platform : platforms)
        for (Geometry& mesh : platform)
            mesh.draw();
}

void TrackDrawer::followPlatforms(const GameWorld& world)
{
    if (world.platforms().count() == platformsMade)
        return;
    platformsMade = world.platforms().count();
    platforms.clear();
    for (const glm::mat4& transform : world.platforms().shown())
        platforms.push_back(instantiateModel(platformModel, transform, resources.proceduralMaterial));
}

void TrackDrawer::followPowerup(const GameWorld& world)
{
    if (world.placedKind == powerupKind && world.powerupPosition() == powerupPosition)
        return;
    powerupKind = world.placedKind;
    powerupPosition = world.powerupPosition();
    const std::vector<GeometryData>& model =
        powerupKind == PowerupKind::DoublePoints ? resources.doublePointsModel : resources.glideModel;
    powerup.place(model, powerupPosition, resources.woodMaterial);
}
