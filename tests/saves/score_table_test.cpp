#include <gtest/gtest.h>

#include "player_record.h"
#include "score_table.h"

// The file reads back as it was written, fields not known included, and a run equal to one in
// the table goes below it.
TEST(ScoreTable, ReadsBackWhatItWritesAndKeepsTheFirstOfEqualRunsAbove)
{
    ScoreTable table;
    std::vector<ScoreRow> fallen;
    table.add(ScoreRow{250, std::nullopt, "", std::nullopt, ""}, fallen);
    EXPECT_EQ(table.add(ScoreRow{250, 1419, "2026-12-09", 7, "run-1.replay"}, fallen), 2);
    EXPECT_EQ(table.add(ScoreRow{300, 60, "2026-12-10", 4294967295u, "run-2.replay"}, fallen), 1);
    EXPECT_FALSE(table.rankOf(0)) << "a run that scored nothing";

    std::string error;
    const std::optional<ScoreTable> read = ScoreTable::parse(table.text(), error);
    ASSERT_TRUE(read) << error;
    ASSERT_EQ(read->rows().size(), 3u);
    EXPECT_EQ(read->rows()[0].seed, 4294967295u);
    EXPECT_EQ(read->rows()[1].replay, "");
    EXPECT_FALSE(read->rows()[1].ticks);
    EXPECT_EQ(read->rows()[2].ticks, 1419u);
    EXPECT_EQ(read->rows()[2].date, "2026-12-09");
    EXPECT_EQ(read->text(), table.text());
}

// Anything but the table's own lines is damage, and a replay name can never leave the folder.
TEST(ScoreTable, RefusesWhatIsNotATable)
{
    std::string eleven;
    for (int i = 0; i < 11; ++i)
        eleven += "10 60 2026-12-09 1 -\n";
    const std::pair<std::string, std::string> cases[] = {
        {"10 60 2026-12-09 1\n", "line 1: a line does not hold five fields"},
        {"# c\n\nten 60 2026-12-09 1 -\n", "line 3: a line holds a field that is not a number"},
        {"2147483648 60 2026-12-09 1 -\n", "line 1: a line holds a field that is not a number"},
        {"10 60 09.12.2026 1 -\n", "line 1: a line holds a date that is not one"},
        {"10 60 2026-12-09 1 ../../.bashrc.replay\n", "line 1: a line names a replay file that is not one"},
        {"10 60 2026-12-09 1 best_score\n", "line 1: a line names a replay file that is not one"},
        {"10 60 2026-12-09 1 -\n20 60 2026-12-09 1 -\n", "line 2: its runs are not in order, best first"},
        {eleven, "line 11: it holds more than 10 runs"},
    };
    for (const auto& [text, why] : cases) {
        std::string error;
        EXPECT_FALSE(ScoreTable::parse(text, error)) << text;
        EXPECT_EQ(error, why) << text;
    }
}

TEST(PlayerRecord, ReadsBackWhatItWritesAndNeedsEveryField)
{
    PlayerRecord record;
    record.addRun(600, 40);
    record.addRun(3600, 300);
    std::string error;
    const std::optional<PlayerRecord> read = PlayerRecord::parse(record.text(), error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->runs, 2u);
    EXPECT_EQ(read->cubes, 340u);
    EXPECT_EQ(read->ticks, 4200u);
    EXPECT_EQ(read->longest, 3600u);
    EXPECT_FALSE(PlayerRecord::parse("runs = 1\ncubes = 2\nticks = 3\n", error));
    EXPECT_EQ(error, "it lacks one of runs, cubes, ticks and longest");
}

TEST(ScoreTable, NamesRanksAndTimesAsPlayersReadThem)
{
    EXPECT_EQ(ordinal(2), "2nd");
    EXPECT_EQ(ordinal(3), "3rd");
    EXPECT_EQ(ordinal(11), "11th");
    EXPECT_EQ(ordinal(22), "22nd");
    EXPECT_EQ(timeOfTicks(60 * 125), "2:05");
    EXPECT_EQ(timeOfTicks(60 * 3723), "1:02:03");
}
