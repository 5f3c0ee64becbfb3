#include "replay_check.h"

#include "run.h"

ReplayOutcome resimulate(const Replay& replay, const std::function<void(const TickEvents&, const GameWorld&)>& onTick)
{
    // The camera's picture plays no part in the game: any aspect ratio does.
    Run run(replay.seed, 1.0f);
    ReplayPlayer player(replay);
    while (!player.finished()) {
        const TickEvents events = run.world().tick(player.next());
        if (onTick)
            onTick(events, run.world());
        if (events.gameOver)
            break;
    }
    return {run.world().points, static_cast<std::uint32_t>(run.world().ticks()), worldStateHash(run.world())};
}

bool sameGame(const Replay& replay, const ReplayOutcome& outcome)
{
    return outcome.points == replay.finalPoints && outcome.ticks == replay.ticks &&
           (outcome.state == replay.finalState || replay.finalState == kNoFinalState);
}
