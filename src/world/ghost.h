#pragma once

#include <cstdint>
#include <glm/glm.hpp>

#include "replay.h"
#include "run.h"

// A recorded run played again beside the player's: its replay re-simulated in a world of its
// own, one tick for each of the player's. Its cubes and bodies are its own and never touch the
// player's world. When it falls, or its recording runs out, it stops where it was.
class Ghost {
public:
    // `replay` must have come through decodeReplay or from a recorder.
    Ghost(Replay replay, float aspectRatio);

    // The ghost's next tick, until its run has ended.
    void tick();

    // Its run has ended: it fell (see fell()), or its recording ran out.
    bool ended() const { return stopped; }
    bool fell() const { return fallen; }
    std::int32_t points() const { return run.world().points; }
    // What its run scored in the end.
    std::int32_t recordedPoints() const { return playback.recorded().finalPoints; }
    // Where the runner is, and where it was the tick before: frames are drawn between the two.
    glm::vec3 position() const { return run.world().player().camera.position; }
    glm::vec3 previousPosition() const { return run.world().player().previousCamera.position; }
    float yaw() const { return run.world().player().camera.yaw; }
    // Where it last stood on something: where it fell, once it has.
    glm::vec3 lastFooting() const { return footing; }
    const GameWorld& world() const { return run.world(); }

private:
    Run run;
    ReplayPlayer playback;
    glm::vec3 footing{0.0f};
    bool stopped = false;
    bool fallen = false;
};
