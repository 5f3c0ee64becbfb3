#include "best_score.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>

#include "console.h"
#include "user_data.h"

namespace fs = std::filesystem;

namespace {

// Longer than any number it can hold: a bigger file is not read in full.
constexpr std::streamsize kLongestText = 32;

std::string quoted(const fs::path& path)
{
    return "'" + path.string() + "'";
}

} // namespace

std::optional<std::int32_t> parseBestScore(const std::string& text)
{
    size_t end = text.size();
    if (end > 0 && text[end - 1] == '\n')
        --end;
    if (end > 0 && text[end - 1] == '\r')
        --end;
    if (end == 0 || end > 10)
        return std::nullopt;
    std::int64_t value = 0;
    for (size_t i = 0; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<fs::path> BestScore::defaultFile()
{
    const fs::path folder = userDataFolder();
    if (folder.empty())
        return std::nullopt;
    return folder / "best_score";
}

BestScore::BestScore(std::optional<fs::path> scoreFile) : file(std::move(scoreFile))
{
    if (!file) {
        printLine("No folder for the best score (neither XDG_DATA_HOME nor HOME is set): it is kept until the game "
                  "ends.");
        return;
    }
    bestPoints = readFile(true).value_or(0);
}

std::optional<std::int32_t> BestScore::readFile(bool report)
{
    std::error_code code;
    const fs::file_status status = fs::status(*file, code);
    if (status.type() == fs::file_type::not_found)
        return std::nullopt;
    const auto ignore = [&](const std::string& why) {
        if (report)
            printLine("Ignoring the best score file " + quoted(*file) + ": " + why + ". Counting from 0.");
        return std::nullopt;
    };
    if (status.type() == fs::file_type::directory)
        return ignore("it is a folder, so no new best can be saved either");
    std::ifstream in(*file, std::ios::binary);
    if (!in)
        return ignore(std::strerror(errno));
    std::string text(static_cast<size_t>(kLongestText), '\0');
    in.read(text.data(), kLongestText);
    text.resize(static_cast<size_t>(in.gcount()));
    const std::optional<std::int32_t> value = parseBestScore(text);
    if (!value)
        return ignore("it does not hold a plain number");
    return value;
}

bool BestScore::recordRun(std::int32_t points)
{
    if (points <= bestPoints)
        return false;
    if (file && !fs::is_directory(*file)) {
        // Another game may have saved a better run since this one began.
        const std::optional<std::int32_t> saved = readFile(false);
        if (saved && *saved >= points) {
            bestPoints = *saved;
            return false;
        }
        std::string error;
        if (!replaceFileAtomically(*file, std::to_string(points) + "\n", error))
            printLine("Could not save the best score to " + quoted(*file) + ": " + error + ".");
    }
    bestPoints = points;
    return true;
}
