#include "daily_table.h"

#include <algorithm>
#include <limits>
#include <sstream>

#include "daily_run.h"
#include "score_table.h"
#include "text_fields.h"

namespace {

std::optional<DailyRow> rowOf(const std::string& line, std::string& error)
{
    std::istringstream in(line);
    std::string date, best, attempts, replay, more;
    if (!(in >> date >> best >> attempts >> replay) || (in >> more)) {
        error = "a line does not hold four fields";
        return std::nullopt;
    }
    const std::optional<std::string> day = dailyDate(date);
    const std::optional<std::uint64_t> points = parseDecimal(best, std::numeric_limits<std::int32_t>::max());
    const std::optional<std::uint64_t> runs = parseDecimal(attempts, std::numeric_limits<std::uint32_t>::max());
    if (!day) {
        error = "a line holds a date that is not one";
    } else if (!points || !runs || *runs == 0) {
        error = "a line holds a count that is not one";
    } else if (replay != "-" && !isReplayFileName(replay)) {
        error = "a line names a replay file that is not one";
    } else {
        return DailyRow{*day, static_cast<std::int32_t>(*points), static_cast<std::uint32_t>(*runs),
                        replay == "-" ? "" : replay};
    }
    return std::nullopt;
}

} // namespace

const DailyRow* DailyTable::find(const std::string& date) const
{
    const auto found = std::find_if(table.begin(), table.end(), [&](const DailyRow& r) { return r.date == date; });
    return found == table.end() ? nullptr : &*found;
}

DailyRow* DailyTable::row(const std::string& date)
{
    const auto found = std::find_if(table.begin(), table.end(), [&](const DailyRow& r) { return r.date == date; });
    return found == table.end() ? nullptr : &*found;
}

bool DailyTable::add(const std::string& date, std::int32_t points, std::vector<DailyRow>& fallen)
{
    if (DailyRow* day = row(date)) {
        day->attempts = day->attempts < std::numeric_limits<std::uint32_t>::max() ? day->attempts + 1 : day->attempts;
        if (points <= day->best)
            return false;
        day->best = points;
        return true;
    }
    // The dates sort as text; an old day played again goes in its place.
    const auto place =
        std::find_if(table.begin(), table.end(), [&](const DailyRow& r) { return r.date < date; });
    table.insert(place, DailyRow{date, points, 1, ""});
    while (table.size() > kRows) {
        fallen.push_back(table.back());
        table.pop_back();
    }
    return true;
}

void DailyTable::setReplay(const std::string& date, const std::string& replay)
{
    if (DailyRow* day = row(date))
        day->replay = replay;
}

std::string DailyTable::text() const
{
    std::string out = "# ZARNOK 2023: the daily runs, newest first.\n# date best attempts replay\n";
    for (const DailyRow& row : table)
        out += row.date + " " + std::to_string(row.best) + " " + std::to_string(row.attempts) + " " +
               (row.replay.empty() ? "-" : row.replay) + "\n";
    return out;
}

std::optional<DailyTable> DailyTable::parse(const std::string& text, std::string& error)
{
    error.clear();
    DailyTable parsed;
    for (const ContentLine& line : contentLines(text)) {
        std::optional<DailyRow> row = rowOf(line.text, error);
        if (row && parsed.table.size() == kRows)
            error = "it holds more than " + std::to_string(kRows) + " days";
        else if (row && !parsed.table.empty() && parsed.table.back().date <= row->date)
            error = "its days are not in order, newest first, once each";
        if (!row || !error.empty()) {
            error.insert(0, "line " + std::to_string(line.number) + ": ");
            return std::nullopt;
        }
        parsed.table.push_back(std::move(*row));
    }
    return parsed;
}

std::string dailyReplayName(const std::string& date)
{
    return "daily-" + date + ".replay";
}
