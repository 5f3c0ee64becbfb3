#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// One run in the table of the player's best. What is not known of a run (a best score kept from
// before there was a table has only its points) is empty.
struct ScoreRow {
    std::int32_t points = 0;
    std::optional<std::uint32_t> ticks; // how long the run lasted
    std::string date;                   // "2026-12-09", the day it ended
    std::optional<std::uint32_t> seed;
    std::string replay; // its replay's file name in the replays folder, or empty
};

// The player's ten best runs, best first, as the file "scores" holds them: a line per run,
//   points ticks date seed replay
// each field a "-" where it is not known, and "#" lines for comments. A run beside an equal one
// goes below it: the one that got there first keeps its place.
class ScoreTable {
public:
    static constexpr size_t kRows = 10;

    const std::vector<ScoreRow>& rows() const { return table; }

    // The rank (1 for the best) that a run of `points` would take, or nothing when it would not
    // enter the table. A run that scored nothing never does.
    std::optional<int> rankOf(std::int32_t points) const;
    // Puts `row` in its place and returns its rank, or nothing when it does not enter; the rows
    // it pushes off the table are added to `fallen`.
    std::optional<int> add(const ScoreRow& row, std::vector<ScoreRow>& fallen);
    // The row at `index` has no replay to watch (it is missing or damaged).
    void forgetReplay(size_t index) { table.at(index).replay.clear(); }

    // The file's text, and back: nothing when the text is not a table (`error` says where).
    std::string text() const;
    static std::optional<ScoreTable> parse(const std::string& text, std::string& error);

private:
    std::vector<ScoreRow> table;
};

// "1st", "2nd", "3rd", "4th", ... "11th", "12th", "13th", ... "21st".
std::string ordinal(int rank);

// A replay file name the table may name: letters, digits, '-', '_' and '.', ending ".replay",
// so a table can never point outside the replays folder.
bool isReplayFileName(const std::string& name);
