#pragma once

#include <vector>

#include <glm/glm.hpp>

#include "geometry.h"

class Ghost;
struct SceneResources;

// Draws the ghost racing beside a run: its runner, see-through, where it is between its last two
// ticks and facing where it looks; once it has fallen, a pillar where it left the track instead.
// The same runner shows a recording from outside.
// It comes after everything solid and writes no depth, so it hides nothing of the track.
class GhostDrawer {
public:
    explicit GhostDrawer(const SceneResources& resources);

    void draw(const Ghost& ghost, float blend);
    // The runner alone, its eyes at `eyes`, facing `yaw`: a recorded run seen from outside.
    void drawRunner(glm::vec3 eyes, float yaw);

private:
    std::vector<Geometry> runner;
    Geometry marker;
};
