#include "run_records.h"

#include <algorithm>
#include <filesystem>

#include "console.h"
#include "dates.h"
#include "player_files.h"
#include "replay_files.h"
#include "user_data.h"

namespace fs = std::filesystem;

namespace {

// Ten rows or a long record are a few hundred bytes; anything near this is no file of ours.
constexpr std::uintmax_t kLargestTextFile = std::uintmax_t{64} * 1024;

std::string quoted(const fs::path& path)
{
    return "'" + path.string() + "'";
}

// Reads one of the player's text files with `parse`. A damaged one is moved aside whole and the
// game starts that file again; one that cannot be read is left alone, and nothing is written
// over it (`file` is then cleared).
template <typename T, typename Parse>
std::optional<T> openPlayerFile(std::optional<fs::path>& file, const std::string& what, const std::string& anew,
                                Parse parse)
{
    std::string error;
    const std::optional<std::string> text = readPlayerFile(*file, kLargestTextFile, error);
    if (!text) {
        if (!error.empty()) {
            printLine("Cannot read the " + what + " " + quoted(*file) + ": " + error + ". It is left as it is, and " +
                      anew + " for this game only.");
            file.reset();
        }
        return std::nullopt;
    }
    std::optional<T> value = parse(*text, error);
    if (value)
        return value;
    std::string moveError;
    if (const std::optional<fs::path> aside = moveAside(*file, moveError)) {
        printLine("The " + what + " " + quoted(*file) + " is damaged (" + error +
                  "): it is kept as " + quoted(*aside) + ", and " + anew + ".");
    } else {
        printLine("The " + what + " " + quoted(*file) + " is damaged (" + error +
                  ") and cannot be moved aside (" + moveError + "). It is left as it is, and " + anew +
                  " for this game only.");
        file.reset();
    }
    return std::nullopt;
}

void saveText(const std::optional<fs::path>& file, const std::string& text, const std::string& what)
{
    std::string error;
    if (file && !replaceFileAtomically(*file, text, error))
        printLine("Could not save " + what + " to " + quoted(*file) + ": " + error + ".");
}

} // namespace

RunRecords RunRecords::ofThePlayer()
{
    RunRecords records;
    records.keepsFiles = true;
    records.bestScore.emplace(BestScore::defaultFile());
    const std::optional<fs::path> replays = replayFolder();
    records.bestRunKept = replays && fs::is_regular_file(*replays / "best.replay");
    const fs::path folder = userDataFolder();
    if (!folder.empty()) {
        records.openTable(folder);
        records.openRecord(folder);
        records.openDaily(folder);
    }
    return records;
}

void RunRecords::openTable(const fs::path& folder)
{
    tableFile = folder / "scores";
    const bool existed = fs::exists(fs::symlink_status(*tableFile));
    const std::optional<ScoreTable> read =
        openPlayerFile<ScoreTable>(tableFile, "high-score table", "the table starts empty", ScoreTable::parse);
    if (read) {
        table = *read;
    } else if (!existed && best() > 0) {
        // A best score kept before there was a table is its first row.
        std::vector<ScoreRow> none;
        table.add(ScoreRow{best(), std::nullopt, "", std::nullopt, ""}, none);
    }
    const std::optional<fs::path> replays = replayFolder();
    for (size_t i = 0; i < table.rows().size(); ++i) {
        std::string error;
        if (!table.rows()[i].replay.empty() && (!replays || !loadReplay(*replays / table.rows()[i].replay, error)))
            table.forgetReplay(i);
    }
}

void RunRecords::openRecord(const fs::path& folder)
{
    recordFile = folder / "record";
    if (const std::optional<PlayerRecord> read = openPlayerFile<PlayerRecord>(
            recordFile, "record file", "the record starts again", PlayerRecord::parse))
        playerRecord = *read;
}

void RunRecords::openDaily(const fs::path& folder)
{
    dailyFile = folder / "daily";
    if (const std::optional<DailyTable> read =
            openPlayerFile<DailyTable>(dailyFile, "daily table", "the daily table starts empty", DailyTable::parse))
        dailyTable = *read;
}

RunPlacing RunRecords::recordRun(const RunSummary& run, const std::optional<Replay>& replay)
{
    RunPlacing placing;
    placing.newBest = run.points > sessionBest;
    sessionBest = std::max(sessionBest, run.points);
    if (bestScore)
        placing.newBest = bestScore->recordRun(run.points);
    if (replay && keepsFiles)
        saveReplays(*replay, placing.newBest);
    playerRecord.addRun(run.ticks, run.cubes);
    saveText(recordFile, playerRecord.text(), "the record");
    enterTable(ScoreRow{run.points, run.ticks, localDate(), run.seed, ""}, replay, placing);
    return placing;
}

void RunRecords::recordPractice(const std::optional<Replay>& replay)
{
    if (replay && keepsFiles)
        saveReplays(*replay, false);
}

// The row's replay is saved before the table names it, and the replays of the rows that fell
// off go once the table no longer does.
void RunRecords::enterTable(ScoreRow row, const std::optional<Replay>& replay, RunPlacing& placing)
{
    if (!table.rankOf(row.points))
        return;
    const std::optional<fs::path> replays = keepsFiles ? replayFolder() : std::nullopt;
    if (replay && replays && tableFile) {
        const std::string name = newRowReplayName(*replays);
        std::string error;
        if (saveReplay(*replays / name, *replay, error))
            row.replay = name;
        else
            printLine("Could not save the replay to " + quoted(*replays / name) + ": " + error + ".");
    }
    std::vector<ScoreRow> fallen;
    placing.rank = table.add(row, fallen);
    std::string error;
    if (!tableFile)
        return;
    if (!replaceFileAtomically(*tableFile, table.text(), error)) {
        printLine("Could not save the high-score table to " + quoted(*tableFile) + ": " + error + ".");
        return;
    }
    for (const ScoreRow& gone : fallen) {
        std::error_code code;
        if (!gone.replay.empty() && replays)
            fs::remove(*replays / gone.replay, code);
    }
}

std::string RunRecords::newRowReplayName(const fs::path& replays) const
{
    for (int n = 1;; ++n) {
        std::string name = "run-" + std::to_string(n) + ".replay";
        const bool named = std::any_of(table.rows().begin(), table.rows().end(),
                                       [&](const ScoreRow& row) { return row.replay == name; });
        if (!named && !fs::exists(fs::symlink_status(replays / name)))
            return name;
    }
}

void RunRecords::saveReplays(const Replay& replay, bool newBest)
{
    const std::optional<fs::path> folder = replayFolder();
    if (!folder)
        return;
    const auto save = [&](const char* name) {
        const fs::path file = *folder / name;
        std::string error;
        if (saveReplay(file, replay, error))
            return true;
        printLine("Could not save the replay to " + quoted(file) + ": " + error + ".");
        return false;
    };
    // One line is enough: where the last run cannot be saved, the best cannot either.
    if (save("last.replay") && newBest && save("best.replay"))
        bestRunKept = true;
}

std::optional<Replay> RunRecords::loadBestRun() const
{
    const std::optional<fs::path> replays = keepsFiles ? replayFolder() : std::nullopt;
    if (!replays)
        return std::nullopt;
    const fs::path file = *replays / "best.replay";
    std::string error;
    std::optional<Replay> replay = loadReplay(file, error);
    if (!replay)
        printLine("Cannot watch the best run " + quoted(file) + ": " + error + ".");
    return replay;
}

std::optional<Replay> RunRecords::loadRowReplay(size_t index)
{
    const std::optional<fs::path> replays = keepsFiles ? replayFolder() : std::nullopt;
    if (index >= table.rows().size() || table.rows()[index].replay.empty() || !replays)
        return std::nullopt;
    const fs::path file = *replays / table.rows()[index].replay;
    std::string error;
    std::optional<Replay> replay = loadReplay(file, error);
    if (!replay) {
        printLine("Cannot watch the run ranked " + ordinal(static_cast<int>(index) + 1) + " " + quoted(file) + ": " +
                  error + ".");
        table.forgetReplay(index);
    }
    return replay;
}

// The day's replay is saved before the table names it; one that cannot be saved leaves the day
// with none, since the old one is not of its best run.
DailyPlacing RunRecords::recordDaily(const std::string& date, std::int32_t points, const std::optional<Replay>& replay)
{
    std::vector<DailyRow> fallen;
    DailyPlacing placing;
    placing.dayBest = dailyTable.add(date, points, fallen);
    const std::optional<fs::path> replays = keepsFiles && dailyFile ? replayFolder() : std::nullopt;
    if (placing.dayBest && replays) {
        const std::string name = dailyReplayName(date);
        std::string error;
        const bool saved = replay && saveReplay(*replays / name, *replay, error);
        if (replay && !saved)
            printLine("Could not save the replay to " + quoted(*replays / name) + ": " + error + ".");
        dailyTable.setReplay(date, saved ? name : "");
    }
    const DailyRow& day = *dailyTable.find(date);
    placing.best = day.best;
    placing.attempts = day.attempts;
    if (dailyFile) {
        saveText(dailyFile, dailyTable.text(), "the daily table");
        for (const DailyRow& gone : fallen) {
            std::error_code code;
            if (!gone.replay.empty() && replays)
                fs::remove(*replays / gone.replay, code);
        }
    }
    return placing;
}

std::optional<Replay> RunRecords::loadDailyReplay(const std::string& date)
{
    const DailyRow* day = dailyTable.find(date);
    const std::optional<fs::path> replays = keepsFiles ? replayFolder() : std::nullopt;
    if (day == nullptr || day->replay.empty() || !replays)
        return std::nullopt;
    const fs::path file = *replays / day->replay;
    std::string error;
    std::optional<Replay> replay = loadReplay(file, error);
    if (!replay) {
        printLine("Cannot use the daily run of " + date + " " + quoted(file) + ": " + error + ".");
        dailyTable.setReplay(date, "");
    }
    return replay;
}
