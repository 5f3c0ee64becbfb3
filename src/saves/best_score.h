#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// The best score of every run so far, kept in one small file per user that holds the number in
// decimal. Nothing about the file stops the game: a missing file is a best of 0, and a broken or
// unwritable one is reported in one line and the game plays on.
class BestScore {
public:
    // "best_score" in the user's data folder, or nothing when the environment names no home.
    static std::optional<std::filesystem::path> defaultFile();

    // Reads the best so far from `file`; without a file the best lasts as long as the game.
    explicit BestScore(std::optional<std::filesystem::path> file);

    std::int32_t best() const { return bestPoints; }

    // A run has ended with `points`. Returns whether it set a new best, which is then saved.
    bool recordRun(std::int32_t points);

private:
    // The number the file holds, or nothing (reported) when it holds none.
    std::optional<std::int32_t> readFile(bool report);

    std::optional<std::filesystem::path> file;
    std::int32_t bestPoints = 0;
};

// The value of a best-score file's text: decimal digits, perhaps with a line break after them,
// from 0 to 2147483647; nothing for anything else.
std::optional<std::int32_t> parseBestScore(const std::string& text);
