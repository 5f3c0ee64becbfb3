#include "player_record.h"

#include <algorithm>
#include <array>
#include <limits>

#include "text_fields.h"

void PlayerRecord::addRun(std::uint64_t runTicks, std::uint64_t cubesDropped)
{
    ++runs;
    cubes += cubesDropped;
    ticks += runTicks;
    longest = std::max(longest, runTicks);
}

std::string PlayerRecord::text() const
{
    return "# ZARNOK 2023: the player's record. Times are in ticks of 1/60 s.\nruns = " + std::to_string(runs) +
           "\ncubes = " + std::to_string(cubes) + "\nticks = " + std::to_string(ticks) +
           "\nlongest = " + std::to_string(longest) + "\n";
}

std::optional<PlayerRecord> PlayerRecord::parse(const std::string& text, std::string& error)
{
    PlayerRecord record;
    const std::array<std::pair<const char*, std::uint64_t*>, 4> fields{
        {{"runs", &record.runs}, {"cubes", &record.cubes}, {"ticks", &record.ticks}, {"longest", &record.longest}}};
    std::array<bool, 4> seen{};
    for (const ContentLine& line : contentLines(text)) {
        const size_t equals = line.text.find('=');
        const auto trimmed = [](std::string part) {
            part.erase(0, part.find_first_not_of(" \t"));
            part.erase(part.find_last_not_of(" \t") + 1);
            return part;
        };
        const std::string key = trimmed(line.text.substr(0, equals));
        const auto field = std::find_if(fields.begin(), fields.end(), [&](const auto& f) { return key == f.first; });
        const size_t index = static_cast<size_t>(field - fields.begin());
        std::optional<std::uint64_t> value;
        if (equals != std::string::npos && field != fields.end() && !seen[index])
            value = parseDecimal(trimmed(line.text.substr(equals + 1)), std::numeric_limits<std::int64_t>::max());
        if (!value) {
            error = "line " + std::to_string(line.number) + " is not one of runs, cubes, ticks or longest with a number";
            return std::nullopt;
        }
        *field->second = *value;
        seen[index] = true;
    }
    if (std::find(seen.begin(), seen.end(), false) != seen.end()) {
        error = "it lacks one of runs, cubes, ticks and longest";
        return std::nullopt;
    }
    return record;
}

std::string timeOfTicks(std::uint64_t ticks)
{
    const std::uint64_t seconds = ticks / 60;
    const auto twoDigits = [](std::uint64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    if (seconds < 3600)
        return std::to_string(seconds / 60) + ":" + twoDigits(seconds % 60);
    return std::to_string(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60) + ":" + twoDigits(seconds % 60);
}
