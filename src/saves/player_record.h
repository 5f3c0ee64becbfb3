#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The player's record over every run: how many, the cubes they dropped, the time played and the
// longest run (both in ticks). The file "record" holds it as "key = value" lines, with "#" lines
// for comments:
//   runs = 12
//   cubes = 2450
//   ticks = 90211
//   longest = 10322
struct PlayerRecord {
    std::uint64_t runs = 0;
    std::uint64_t cubes = 0;
    std::uint64_t ticks = 0;
    std::uint64_t longest = 0;

    void addRun(std::uint64_t runTicks, std::uint64_t cubesDropped);

    // The file's text, and back: nothing when the text is not a record (`error` says where).
    std::string text() const;
    static std::optional<PlayerRecord> parse(const std::string& text, std::string& error);
};

// Ticks as the time they last: "4:05" (minutes and seconds), "1:02:03" from an hour on.
std::string timeOfTicks(std::uint64_t ticks);
