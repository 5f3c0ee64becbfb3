#pragma once

#include <cstdint>
#include <functional>

#include "replay.h"

// What playing a replay's inputs again, with no window, came to.
struct ReplayOutcome {
    std::int32_t points = 0;
    std::uint32_t ticks = 0;
    std::uint64_t state = 0; // worldStateHash at the end
};

// Plays the replay's inputs through a new run of its seed, as fast as the machine allows, until
// they run out or the game is over. `onTick`, if given, sees each tick's events.
ReplayOutcome resimulate(const Replay& replay,
                         const std::function<void(const TickEvents&, const GameWorld&)>& onTick = nullptr);

// Whether the outcome is the one the replay recorded.
bool sameGame(const Replay& replay, const ReplayOutcome& outcome);
