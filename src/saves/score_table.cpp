#include "score_table.h"

#include <algorithm>
#include <limits>
#include <sstream>

#include "text_fields.h"

namespace {

// A date as the table writes it: "2026-12-09".
bool isDate(const std::string& text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (i != 4 && i != 7 && (text[i] < '0' || text[i] > '9'))
            return false;
    return true;
}

template <typename T>
std::string fieldOf(const std::optional<T>& value)
{
    return value ? std::to_string(*value) : "-";
}

std::string fieldOf(const std::string& text)
{
    return text.empty() ? "-" : text;
}

std::optional<ScoreRow> rowOf(const std::string& line, std::string& error)
{
    std::istringstream in(line);
    std::string points, ticks, date, seed, replay, more;
    if (!(in >> points >> ticks >> date >> seed >> replay) || (in >> more)) {
        error = "a line does not hold five fields";
        return std::nullopt;
    }
    ScoreRow row;
    const std::optional<std::uint64_t> value = parseDecimal(points, std::numeric_limits<std::int32_t>::max());
    const auto optionalField = [](const std::string& text, std::optional<std::uint32_t>& field) {
        if (text == "-")
            return true;
        const std::optional<std::uint64_t> number = parseDecimal(text, std::numeric_limits<std::uint32_t>::max());
        field = number;
        return number.has_value();
    };
    if (!value || !optionalField(ticks, row.ticks) || !optionalField(seed, row.seed)) {
        error = "a line holds a field that is not a number";
        return std::nullopt;
    }
    row.points = static_cast<std::int32_t>(*value);
    if (date != "-" && !isDate(date)) {
        error = "a line holds a date that is not one";
        return std::nullopt;
    }
    if (replay != "-" && !isReplayFileName(replay)) {
        error = "a line names a replay file that is not one";
        return std::nullopt;
    }
    row.date = date == "-" ? "" : date;
    row.replay = replay == "-" ? "" : replay;
    return row;
}

} // namespace

std::optional<int> ScoreTable::rankOf(std::int32_t points) const
{
    if (points <= 0)
        return std::nullopt;
    const auto place = std::find_if(table.begin(), table.end(), [&](const ScoreRow& row) { return row.points < points; });
    const size_t rank = static_cast<size_t>(place - table.begin());
    if (rank >= kRows)
        return std::nullopt;
    return static_cast<int>(rank) + 1;
}

std::optional<int> ScoreTable::add(const ScoreRow& row, std::vector<ScoreRow>& fallen)
{
    const std::optional<int> rank = rankOf(row.points);
    if (!rank)
        return std::nullopt;
    table.insert(table.begin() + (*rank - 1), row);
    while (table.size() > kRows) {
        fallen.push_back(table.back());
        table.pop_back();
    }
    return rank;
}

std::string ScoreTable::text() const
{
    std::string out = "# ZARNOK 2023: the ten best runs, best first.\n# points ticks date seed replay\n";
    for (const ScoreRow& row : table)
        out += std::to_string(row.points) + " " + fieldOf(row.ticks) + " " + fieldOf(row.date) + " " +
               fieldOf(row.seed) + " " + fieldOf(row.replay) + "\n";
    return out;
}

std::optional<ScoreTable> ScoreTable::parse(const std::string& text, std::string& error)
{
    error.clear();
    ScoreTable parsed;
    for (const ContentLine& line : contentLines(text)) {
        std::optional<ScoreRow> row = rowOf(line.text, error);
        if (row && parsed.table.size() == kRows)
            error = "it holds more than " + std::to_string(kRows) + " runs";
        else if (row && !parsed.table.empty() && parsed.table.back().points < row->points)
            error = "its runs are not in order, best first";
        if (!row || !error.empty()) {
            error.insert(0, "line " + std::to_string(line.number) + ": ");
            return std::nullopt;
        }
        parsed.table.push_back(std::move(*row));
    }
    return parsed;
}

std::string ordinal(int rank)
{
    const int lastTwo = rank % 100;
    const char* suffix = "th";
    if (lastTwo < 11 || lastTwo > 13) {
        if (rank % 10 == 1)
            suffix = "st";
        else if (rank % 10 == 2)
            suffix = "nd";
        else if (rank % 10 == 3)
            suffix = "rd";
    }
    return std::to_string(rank) + suffix;
}

bool isReplayFileName(const std::string& name)
{
    const std::string ending = ".replay";
    if (name.size() <= ending.size() || name.size() > 64 || name.compare(name.size() - ending.size(), ending.size(), ending) != 0)
        return false;
    if (name[0] == '.')
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
               c == '.';
    });
}
