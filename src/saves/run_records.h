#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "best_score.h"
#include "daily_table.h"
#include "player_record.h"
#include "replay.h"
#include "score_table.h"

// What the game keeps of one run that has ended.
struct RunSummary {
    std::int32_t points = 0;
    std::uint32_t ticks = 0;
    std::uint64_t cubes = 0; // dropped, each counted once whatever it scored
    std::uint32_t seed = 0;
};

// Where a run placed: a new best, and its rank among the player's best runs.
struct RunPlacing {
    bool newBest = false;
    std::optional<int> rank;
};

// How a daily run went: whether it is the best of its day, and the day's runs so far.
struct DailyPlacing {
    bool dayBest = false;
    std::int32_t best = 0;
    std::uint32_t attempts = 0;
};

// What the game keeps of the player's runs: the best score, the table of the ten best runs with
// their replays, the table of daily runs with the replay of each day's best, the player's record,
// and the replays of the last run and of the best one.
// Without the player's files (a headless run, a benchmark, a game that only shows a replay) they
// last as long as the game and no replay is kept.
class RunRecords {
public:
    RunRecords() = default;
    // The player's own: "best_score", "scores", "record" and "replays/" in their data folder. A
    // file that cannot be read is said in one line, a damaged one is moved aside, and the game
    // plays on.
    static RunRecords ofThePlayer();

    std::int32_t best() const { return bestScore ? bestScore->best() : sessionBest; }
    // There is a best run to watch.
    bool bestRunSaved() const { return bestRunKept; }
    const ScoreTable& scores() const { return table; }
    const PlayerRecord& record() const { return playerRecord; }
    const DailyTable& daily() const { return dailyTable; }

    // A run has ended; its replay, when it was recorded, is kept as the last run, as the best
    // when it set a new best, and with its row when it entered the table.
    RunPlacing recordRun(const RunSummary& run, const std::optional<Replay>& replay);
    // A practice run, played on from a recording, has ended: its replay is kept as the last run,
    // and nothing else. It was not a run of the player's from the start, so it neither places nor
    // counts in the record.
    void recordPractice(const std::optional<Replay>& replay);

    // A daily run of `date` has ended (recordRun keeps it as a run like any other); its replay is
    // kept as the day's when it is the day's best.
    DailyPlacing recordDaily(const std::string& date, std::int32_t points, const std::optional<Replay>& replay);

    // The best run's replay; nothing when there is none, or when it cannot be used (said in one
    // line).
    std::optional<Replay> loadBestRun() const;
    // The replay of the table's row `index`; nothing when it has none. One that cannot be used
    // is said in one line, and the row shows it has none from then on.
    std::optional<Replay> loadRowReplay(size_t index);
    // The replay of the best daily run of `date`; nothing when there is none. One that cannot be
    // used is said in one line, and the day shows it has none from then on.
    std::optional<Replay> loadDailyReplay(const std::string& date);

private:
    void saveReplays(const Replay& replay, bool newBest);
    void openTable(const std::filesystem::path& folder);
    void openRecord(const std::filesystem::path& folder);
    void openDaily(const std::filesystem::path& folder);
    // A file name for a row's replay that neither the table nor the folder holds.
    std::string newRowReplayName(const std::filesystem::path& replays) const;
    void enterTable(ScoreRow row, const std::optional<Replay>& replay, RunPlacing& placing);

    std::optional<BestScore> bestScore;
    bool keepsFiles = false;
    std::int32_t sessionBest = 0;
    bool bestRunKept = false;
    ScoreTable table;
    PlayerRecord playerRecord;
    std::optional<std::filesystem::path> tableFile;
    std::optional<std::filesystem::path> recordFile;
    DailyTable dailyTable;
    std::optional<std::filesystem::path> dailyFile;
};
