#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "players_data.h"
#include "replay_files.h"
#include "run_records.h"

#ifndef _WIN32
namespace {

Replay runOf(std::uint32_t seed, std::int32_t points = 0)
{
    ReplayRecorder recorder(seed);
    recorder.record(TickInput{});
    return recorder.finish(points, seed);
}

RunSummary summaryOf(std::int32_t points, std::uint32_t seed)
{
    return RunSummary{points, 600, static_cast<std::uint64_t>(points), seed};
}

std::uint32_t seedIn(const std::filesystem::path& file)
{
    std::string error;
    const std::optional<Replay> replay = loadReplay(file, error);
    return replay ? replay->seed : 0;
}

} // namespace

// Every run is kept as the last one, and a new best as the best one too, which B then shows; a
// best run that cannot be used is said in one line.
TEST(RunRecords, KeepTheLastRunAndTheBestOne)
{
    PlayersData data;
    RunRecords records = RunRecords::ofThePlayer();
    EXPECT_FALSE(records.bestRunSaved());
    EXPECT_TRUE(records.recordRun(summaryOf(20, 1), runOf(1)).newBest);
    EXPECT_FALSE(records.recordRun(summaryOf(10, 2), runOf(2)).newBest);
    EXPECT_EQ(records.best(), 20);
    EXPECT_TRUE(records.bestRunSaved());
    EXPECT_EQ(seedIn(data.replay("last.replay")), 2u);
    EXPECT_EQ(seedIn(data.replay("best.replay")), 1u);
    EXPECT_EQ(records.loadBestRun()->seed, 1u);
    EXPECT_TRUE(RunRecords::ofThePlayer().bestRunSaved()) << "the next game finds it";

    writeFile(data.replay("best.replay"), "not a replay");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(records.loadBestRun());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Cannot watch the best run '" + data.replay("best.replay").string() + "': it is not a ZARNOK replay.\n");

    // Without the player's files (a headless run, a benchmark) nothing is written.
    RunRecords none;
    EXPECT_TRUE(none.recordRun(summaryOf(99, 3), runOf(3)).newBest);
    EXPECT_EQ(seedIn(data.replay("last.replay")), 2u);
    EXPECT_FALSE(none.loadBestRun());
}

std::string contentOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Twelve runs: the table keeps the ten best, highest first, each with the replay of its own run,
// and the replays of the two that fell off are gone. The record counts all twelve.
TEST(RunRecords, TheTableKeepsTheTenBestRunsWithTheirReplays)
{
    PlayersData data;
    const std::int32_t points[] = {30, 50, 10, 70, 20, 90, 40, 60, 80, 15, 5, 100};
    std::uint32_t seed = 0;
    {
        RunRecords records = RunRecords::ofThePlayer();
        for (std::int32_t p : points) {
            ++seed;
            const RunPlacing placing = records.recordRun(summaryOf(p, seed), runOf(seed, p));
            if (p == 5) {
                EXPECT_FALSE(placing.rank) << "the table is full of better runs";
            }
            if (p == 100) {
                EXPECT_EQ(placing.rank, 1);
            }
        }
    }
    RunRecords again = RunRecords::ofThePlayer();
    const std::vector<ScoreRow>& rows = again.scores().rows();
    const std::int32_t best[] = {100, 90, 80, 70, 60, 50, 40, 30, 20, 15};
    ASSERT_EQ(rows.size(), 10u);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].points, best[i]) << "row " << i;
        const std::optional<Replay> replay = again.loadRowReplay(i);
        ASSERT_TRUE(replay) << "row " << i;
        EXPECT_EQ(replay->finalPoints, rows[i].points);
    }
    size_t replaysOnDisk = 0;
    for (const auto& entry : std::filesystem::directory_iterator(data.replay("")))
        replaysOnDisk += entry.path().filename().string().rfind("run-", 0) == 0 ? 1 : 0;
    EXPECT_EQ(replaysOnDisk, 10u) << "the replay of 10 went with its row";
    EXPECT_EQ(contentOf(data.file("best_score")), "100\n");
    EXPECT_EQ(again.record().runs, 12u);
    EXPECT_EQ(again.record().ticks, 12u * 600);
    EXPECT_EQ(again.record().cubes, 570u);
}

// A damaged table or record is said in one line and kept aside byte for byte; the game starts
// that file again. A row whose replay is gone stays, without one; a best score from before there
// was a table is its first row.
TEST(RunRecords, DamagedFilesAreKeptAsideAndLostReplaysLeaveTheirRows)
{
    PlayersData data;
    const std::string damaged = "312 1419 2026-12-09 7 run-1.replay\n400 99 2026-12-10 8 -\n";
    writeFile(data.file("scores"), damaged);
    writeFile(data.file("record"), "runs = lots\n");
    testing::internal::CaptureStdout();
    RunRecords records = RunRecords::ofThePlayer();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "The high-score table '" + data.file("scores").string() +
                  "' is damaged (line 2: its runs are not in order, best first): it is kept as '" +
                  data.file("scores.damaged").string() + "', and the table starts empty.\n" + "The record file '" +
                  data.file("record").string() +
                  "' is damaged (line 1 is not one of runs, cubes, ticks or longest with a number): it is kept as '" +
                  data.file("record.damaged").string() + "', and the record starts again.\n");
    EXPECT_EQ(contentOf(data.file("scores.damaged")), damaged);
    EXPECT_EQ(contentOf(data.file("record.damaged")), "runs = lots\n");
    EXPECT_TRUE(records.scores().rows().empty());
    records.recordRun(summaryOf(12, 3), runOf(3, 12));
    EXPECT_EQ(contentOf(data.file("scores.damaged")), damaged) << "never written over";
    EXPECT_EQ(RunRecords::ofThePlayer().record().runs, 1u);

    std::filesystem::remove(data.replay("run-1.replay"));
    const RunRecords reopened = RunRecords::ofThePlayer();
    ASSERT_EQ(reopened.scores().rows().size(), 1u);
    EXPECT_EQ(reopened.scores().rows()[0].replay, "") << "no replay to watch";

    PlayersData older;
    writeFile(older.file("best_score"), "250\n");
    const RunRecords upgraded = RunRecords::ofThePlayer();
    ASSERT_EQ(upgraded.scores().rows().size(), 1u);
    EXPECT_EQ(upgraded.scores().rows()[0].points, 250);
    EXPECT_FALSE(upgraded.scores().rows()[0].ticks);
}

// A row per day, newest first, whatever order the days were played in: each with its best, its
// runs, and the replay of its best run, which the next game finds. A worse run leaves the best's
// replay alone; a table out of order is damaged.
TEST(RunRecords, TheDailyTableKeepsEachDaysBestRunAndCountsItsRuns)
{
    PlayersData data;
    {
        RunRecords records = RunRecords::ofThePlayer();
        EXPECT_TRUE(records.recordDaily("2026-12-09", 40, runOf(9, 40)).dayBest);
        const DailyPlacing worse = records.recordDaily("2026-12-09", 30, runOf(99, 30));
        EXPECT_FALSE(worse.dayBest);
        EXPECT_EQ(worse.best, 40);
        EXPECT_EQ(worse.attempts, 2u);
        EXPECT_TRUE(records.recordDaily("2026-12-10", 5, runOf(10, 5)).dayBest);
        EXPECT_TRUE(records.recordDaily("2026-11-30", 0, runOf(30, 0)).dayBest) << "a day's first run is its best";
    }
    EXPECT_EQ(contentOf(data.file("daily")), "# ZARNOK 2023: the daily runs, newest first.\n"
                                             "# date best attempts replay\n"
                                             "2026-12-10 5 1 daily-2026-12-10.replay\n"
                                             "2026-12-09 40 2 daily-2026-12-09.replay\n"
                                             "2026-11-30 0 1 daily-2026-11-30.replay\n");
    RunRecords again = RunRecords::ofThePlayer();
    ASSERT_EQ(again.daily().rows().size(), 3u);
    const std::optional<Replay> best = again.loadDailyReplay("2026-12-09");
    ASSERT_TRUE(best);
    EXPECT_EQ(best->seed, 9u);
    EXPECT_FALSE(again.loadDailyReplay("2026-12-11"));

    writeFile(data.file("daily"), "2026-12-09 40 2 -\n2026-12-10 5 1 -\n");
    testing::internal::CaptureStdout();
    EXPECT_TRUE(RunRecords::ofThePlayer().daily().rows().empty());
    EXPECT_NE(testing::internal::GetCapturedStdout().find(
                  "(line 2: its days are not in order, newest first, once each)"),
              std::string::npos);
}
#endif
