#pragma once

#include <vector>

#include "geometry.h"

class Ghost;
struct SceneResources;

// Draws the ghost racing beside a run: its runner, see-through, where it is between its last two
// ticks and facing where it looks; once it has fallen, a pillar where it left the track instead.
// It comes after everything solid and writes no depth, so it hides nothing of the track.
class GhostDrawer {
public:
    explicit GhostDrawer(const SceneResources& resources);

    void draw(const Ghost& ghost, float blend);

private:
    std::vector<Geometry> runner;
    Geometry marker;
};
