#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game_world.h"

// A recorded run: the version of the game that played it, the seed of its track and every tick's
// input, with the outcome a re-simulation must reach again. The inputs are kept as they are
// stored, a few bytes for each stretch of ticks in which the player changed nothing.
struct Replay {
    std::string version; // the game and simulation version that recorded it
    std::uint32_t seed = 0;
    std::uint32_t ticks = 0;
    std::int32_t finalPoints = 0;
    std::uint64_t finalState = 0; // worldStateHash after the last tick; kNoFinalState after a crash
    std::vector<std::uint8_t> inputs;
};

// The final state of a run that crashed: it never reached an end whose state could be recorded,
// so its re-simulation is checked by its ticks and points alone.
constexpr std::uint64_t kNoFinalState = 0;

// The version replays are recorded with, and the only one this game plays: a replay of another
// simulation would not play the same game.
std::string replayVersion();

// Records a run's inputs, tick by tick.
class ReplayRecorder {
public:
    explicit ReplayRecorder(std::uint32_t seed);

    void record(const TickInput& input);

    // The replay of the ticks recorded so far, which ended with `points` and the state `state`.
    Replay finish(std::int32_t points, std::uint64_t state) const;

    // The inputs so far, as the file stores them: those written for good, which only ever grow,
    // then those of the stretch still being recorded.
    const std::vector<std::uint8_t>& storedInputs() const { return replay.inputs; }
    void appendPendingInputs(std::vector<std::uint8_t>& out) const;
    std::uint32_t ticks() const { return replay.ticks; }

private:
    void flush(std::vector<std::uint8_t>& out) const;

    Replay replay;
    TickInput previous;     // the input of the tick before, which the next is compared with
    std::uint8_t flags = 0; // of the stretch being recorded
    TickInput stretchStart; // the first tick of that stretch
    std::uint32_t stretch = 0;
};

// Plays a replay's inputs back, tick by tick. The replay must have come through decodeReplay or
// from a recorder.
class ReplayPlayer {
public:
    explicit ReplayPlayer(Replay replay);

    bool finished() const { return played == replay.ticks; }
    // The next tick's input; finished() must be false.
    TickInput next();

    const Replay& recorded() const { return replay; }

private:
    void readStretch();

    Replay replay;
    size_t offset = 0;
    std::uint32_t played = 0;
    std::uint32_t stretchLeft = 0;
    TickInput held; // the keys and view of the stretch being played
};

// The bytes of a replay file.
std::vector<std::uint8_t> encodeReplay(const Replay& replay);
// Appends the bytes of a replay file before its inputs, which are `inputBytes` long;
// `replay.inputs` is not read.
void appendReplayHeader(const Replay& replay, size_t inputBytes, std::vector<std::uint8_t>& out);

// The replay in a file's bytes. A file that is not a replay, one from another version, or one
// that is damaged or hostile yields nothing and `error` says why, in words for a player.
std::optional<Replay> decodeReplay(const std::vector<std::uint8_t>& bytes, std::string& error);
