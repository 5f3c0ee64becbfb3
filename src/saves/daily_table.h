#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One day's daily runs: the best points of that day, how many runs it was played, and the best
// run's replay.
struct DailyRow {
    std::string date; // "2026-12-09", the day in UTC
    std::int32_t best = 0;
    std::uint32_t attempts = 0;
    std::string replay; // its file name in the replays folder, or empty
};

// The daily runs the player has played, a row per day, newest first, as the file "daily" holds
// them: a line per day,
//   date best attempts replay
// the replay a "-" when there is none, and "#" lines for comments.
class DailyTable {
public:
    // About three years of days; the oldest go once there are more.
    static constexpr size_t kRows = 1000;

    const std::vector<DailyRow>& rows() const { return table; }
    const DailyRow* find(const std::string& date) const;

    // A run of the daily of `date` scored `points`; returns whether it is the best of that day
    // (the day's first run always is). Rows pushed off the table are added to `fallen`.
    bool add(const std::string& date, std::int32_t points, std::vector<DailyRow>& fallen);
    void setReplay(const std::string& date, const std::string& replay);

    std::string text() const;
    static std::optional<DailyTable> parse(const std::string& text, std::string& error);

private:
    DailyRow* row(const std::string& date);

    std::vector<DailyRow> table;
};

// The name of the replay file of the best daily run of `date`.
std::string dailyReplayName(const std::string& date);
