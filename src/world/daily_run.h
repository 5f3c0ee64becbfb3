#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The daily run: one track a day, the same for every player on every machine. Its seed is the
// 32-bit FNV-1a hash of the day's date in UTC, written "YYYY-MM-DD" (ten bytes, no terminator).

// The date in `text` when it is a real day of the Gregorian calendar written "YYYY-MM-DD" (year
// 0001 to 9999), and nothing otherwise.
std::optional<std::string> dailyDate(const std::string& text);

// The seed of the daily run of `date`, a date as dailyDate gives it.
std::uint32_t dailySeed(const std::string& date);
