#include "text_fields.h"

#include <sstream>

std::vector<ContentLine> contentLines(const std::string& text)
{
    std::vector<ContentLine> lines;
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos || line[line.find_first_not_of(" \t")] == '#')
            continue;
        lines.push_back({number, line});
    }
    return lines;
}

std::optional<std::uint64_t> parseDecimal(const std::string& text, std::uint64_t largest)
{
    // Twenty digits could overflow before the comparison.
    if (text.empty() || text.size() > 19)
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > largest)
        return std::nullopt;
    return value;
}
