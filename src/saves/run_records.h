#pragma once

#include <cstdint>
#include <optional>

#include "best_score.h"
#include "replay.h"

// What the game keeps of the player's runs: the best score, and the replays of the last run and
// of the best one. Without the player's files (a headless run, a benchmark, a game that only shows
// a replay) the best lasts as long as the game and no replay is kept.
class RunRecords {
public:
    RunRecords() = default;
    // The player's own: "best_score" and "replays/" in their data folder. A file that cannot be
    // read is said in one line, and the game plays on.
    static RunRecords ofThePlayer();

    std::int32_t best() const { return bestScore ? bestScore->best() : sessionBest; }
    // There is a best run to watch.
    bool bestRunSaved() const { return bestRunKept; }

    // A run has ended with `points`; its replay, when it was recorded, is kept as the last run
    // and, when the run set a new best, as the best. Returns whether it did.
    bool recordRun(std::int32_t points, const std::optional<Replay>& replay);

    // The best run's replay; nothing when there is none, or when it cannot be used (said in one
    // line).
    std::optional<Replay> loadBestRun() const;

private:
    void saveReplays(const Replay& replay, bool newBest);

    std::optional<BestScore> bestScore;
    bool keepsFiles = false;
    std::int32_t sessionBest = 0;
    bool bestRunKept = false;
};
