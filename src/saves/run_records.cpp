#include "run_records.h"

#include <algorithm>
#include <filesystem>

#include "console.h"
#include "replay_files.h"

namespace fs = std::filesystem;

namespace {

std::string quoted(const fs::path& path)
{
    return "'" + path.string() + "'";
}

} // namespace

RunRecords RunRecords::ofThePlayer()
{
    RunRecords records;
    records.keepsFiles = true;
    records.bestScore.emplace(BestScore::defaultFile());
    const std::optional<fs::path> replays = replayFolder();
    records.bestRunKept = replays && fs::is_regular_file(*replays / "best.replay");
    return records;
}

bool RunRecords::recordRun(std::int32_t points, const std::optional<Replay>& replay)
{
    bool newBest = points > sessionBest;
    sessionBest = std::max(sessionBest, points);
    if (bestScore)
        newBest = bestScore->recordRun(points);
    if (replay && keepsFiles)
        saveReplays(*replay, newBest);
    return newBest;
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
