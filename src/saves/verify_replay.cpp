#include "verify_replay.h"

#include <cinttypes>
#include <cstdio>

#include "console.h"
#include "replay_check.h"
#include "replay_files.h"
#include "run_sounds.h"

namespace {

std::string hex(std::uint64_t value)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, value);
    return text;
}

} // namespace

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
              (!same                                 ? ": they differ"
               : replay->finalState == kNoFinalState ? ": the same game, up to the crash that ended it"
                                                     : ": the same game"));
    return same ? 0 : 1;
}
