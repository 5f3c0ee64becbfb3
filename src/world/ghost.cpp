#include "ghost.h"

#include <utility>

Ghost::Ghost(Replay replay, float aspectRatio) : run(replay.seed, aspectRatio), playback(std::move(replay))
{
    footing = position();
    stopped = playback.finished();
}

void Ghost::tick()
{
    if (stopped)
        return;
    const TickEvents events = run.world().tick(playback.next());
    if (run.world().player().onGround)
        footing = position();
    fallen = events.gameOver;
    stopped = fallen || playback.finished();
}
