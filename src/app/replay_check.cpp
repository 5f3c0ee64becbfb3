#include "replay_check.h"

#include <cinttypes>
#include <cstdio>

#include "app_state.h"
#include "console.h"
#include "game_sounds.h"
#include "run.h"

namespace {

std::string hex(std::uint64_t value)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, value);
    return text;
}

} // namespace

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
    return {points, static_cast<std::uint32_t>(run.world().ticks()), worldStateHash(run.world())};
}

bool sameGame(const Replay& replay, const ReplayOutcome& outcome)
{
    return outcome.points == replay.finalPoints && outcome.ticks == replay.ticks && outcome.state == replay.finalState;
}

int verifyReplay(const std::string& file, bool soundLog)
{
    std::string error;
    const std::optional<Replay> replay = loadReplay(file, error);
    if (!replay) {
        printLine("Cannot use the replay '" + file + "': " + error + ".");
        return 1;
    }
    RunSounds sounds;
    std::vector<SoundCue> cues;
    const auto logSounds = [&](const TickEvents& events, const GameWorld& world) {
        cues.clear();
        sounds.cuesOf(events, world, world.ticks(), cues);
        for (const SoundCue& cue : cues)
            printLine("Tick " + std::to_string(world.ticks()) + ": " + soundName(cue.id));
    };
    const ReplayOutcome outcome = soundLog ? resimulate(*replay, logSounds) : resimulate(*replay);
    const bool same = sameGame(*replay, outcome);
    printLine("Replay '" + file + "': recorded " + std::to_string(replay->finalPoints) + " points in " +
              std::to_string(replay->ticks) + " ticks, re-simulated " + std::to_string(outcome.points) + " points in " +
              std::to_string(outcome.ticks) + " ticks, final state " + hex(outcome.state) +
              (same ? "" : " (recorded " + hex(replay->finalState) + ")") +
              (same ? ": the same game" : ": they differ"));
    return same ? 0 : 1;
}
