#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A line of a player's text file that holds something: not blank, not a "#" comment.
struct ContentLine {
    int number = 0; // from 1
    std::string text;
};

// The lines of `text` that hold something, each without its line break.
std::vector<ContentLine> contentLines(const std::string& text);

// Plain decimal digits from 0 to `largest`; nothing for anything else.
std::optional<std::uint64_t> parseDecimal(const std::string& text, std::uint64_t largest);
