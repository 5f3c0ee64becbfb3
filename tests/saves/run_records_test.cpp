#include <gtest/gtest.h>

#include <cstdlib>

#include "replay_files.h"
#include "run_records.h"
#include "temp_dir.h"

#ifndef _WIN32
namespace {

// The player's data folder in a temporary folder, for as long as it lives.
class PlayersData {
public:
    PlayersData()
    {
        const char* data = std::getenv("XDG_DATA_HOME");
        saved = data != nullptr ? std::optional<std::string>(data) : std::nullopt;
        setenv("XDG_DATA_HOME", home.path().c_str(), 1);
    }
    ~PlayersData()
    {
        if (saved)
            setenv("XDG_DATA_HOME", saved->c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
    }
    PlayersData(const PlayersData&) = delete;
    PlayersData& operator=(const PlayersData&) = delete;

    std::filesystem::path replay(const char* name) const { return home / "zarnok/replays" / name; }

private:
    TempDir home;
    std::optional<std::string> saved;
};

Replay runOf(std::uint32_t seed)
{
    ReplayRecorder recorder(seed);
    recorder.record(TickInput{});
    return recorder.finish(0, seed);
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
    EXPECT_TRUE(records.recordRun(20, runOf(1)));
    EXPECT_FALSE(records.recordRun(10, runOf(2)));
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
    EXPECT_TRUE(none.recordRun(99, runOf(3)));
    EXPECT_EQ(seedIn(data.replay("last.replay")), 2u);
    EXPECT_FALSE(none.loadBestRun());
}
#endif
