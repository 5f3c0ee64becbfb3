#pragma once

#include <vector>

#include "cube_drawer.h"
#include "displayed_powerup.h"
#include "geometry.h"
#include "powerup.h"

class GameWorld;
struct SceneResources;

// Draws a run's world as it stands between its last two ticks: the cubes, the powerup on display,
// spinning, and the two newest platforms. It reads the world and changes nothing in it, and builds
// its GL objects again only when the world has placed a new platform or powerup.
class TrackDrawer {
public:
    explicit TrackDrawer(const SceneResources& resources);

    TrackDrawer(const TrackDrawer&) = delete;
    TrackDrawer& operator=(const TrackDrawer&) = delete;

    // `blend` of the way from the tick before last (0) to the last (1), seen from `eye`; the
    // powerup turns by `frameSeconds`. `cullCubeBackFaces` as for CubeDrawer::draw.
    void draw(const GameWorld& world, const glm::vec3& eye, float blend, float frameSeconds, bool cullCubeBackFaces);

private:
    void followPlatforms(const GameWorld& world);
    void followPowerup(const GameWorld& world);

    const SceneResources& resources;
    CubeDrawer cubeDrawer;
    std::vector<std::vector<Geometry>> platforms; // the newest first
    size_t platformsMade = 0;
    Powerup powerup;
    PowerupKind powerupKind = PowerupKind::None;
    glm::vec3 powerupPosition{0.0f};
};
