#include "player_options.h"

#include <INIReader.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

#include "console.h"
#include "user_data.h"

namespace fs = std::filesystem;

namespace {

// Far more than any options file the game writes.
constexpr std::uintmax_t kLargestFile = std::uintmax_t{64} * 1024;

std::string quoted(const fs::path& path)
{
    return "'" + path.string() + "'";
}

// Why the file cannot be read as an options file at all, or nothing when it can.
std::optional<std::string> unreadable(const fs::path& file)
{
    std::error_code code;
    if (fs::is_directory(file, code))
        return "it is a folder";
    const std::uintmax_t size = fs::file_size(file, code);
    if (code)
        return code.message();
    if (size > kLargestFile)
        return "it is too large for an options file";
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::string(std::strerror(errno));
    std::vector<char> bytes(static_cast<size_t>(size));
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    for (char byte : bytes)
        if (byte == '\0')
            return "it is not a text file";
    return std::nullopt;
}

// A whole number from 0 to 100 and nothing else; the text is reported in `problems` otherwise.
int readPercent(const INIReader& reader, const char* section, const char* key, int fallback,
                std::vector<std::string>& problems)
{
    const std::string text = reader.Get(section, key, "");
    if (text.empty())
        return fallback;
    int value = 0;
    bool valid = text.size() <= 3;
    for (char c : text) {
        valid = valid && c >= '0' && c <= '9';
        value = value * 10 + (c - '0');
    }
    if (valid && value <= 100)
        return value;
    problems.push_back(std::string(key) + " = " + text + " is not a whole number from 0 to 100");
    return fallback;
}

} // namespace

std::optional<fs::path> playerOptionsFile()
{
    const fs::path folder = userConfigFolder();
    if (folder.empty())
        return std::nullopt;
    return folder / "options.ini";
}

PlayerOptions loadPlayerOptions(const std::optional<fs::path>& file)
{
    PlayerOptions options;
    std::error_code code;
    if (!file || !fs::exists(fs::symlink_status(*file, code)))
        return options;
    if (const std::optional<std::string> reason = unreadable(*file)) {
        printLine("Ignoring the options file " + quoted(*file) + ": " + *reason + ". Using the defaults.");
        return options;
    }
    const INIReader reader(file->string());
    std::vector<std::string> problems;
    if (reader.ParseError() > 0)
        problems.push_back("line " + std::to_string(reader.ParseError()) + " is not a setting");
    options.audio.master = readPercent(reader, "audio", "master", options.audio.master, problems);
    options.audio.music = readPercent(reader, "audio", "music", options.audio.music, problems);
    options.audio.effects = readPercent(reader, "audio", "effects", options.audio.effects, problems);
    if (!problems.empty()) {
        std::string line = "In the options file " + quoted(*file) + ": ";
        for (size_t i = 0; i < problems.size(); ++i)
            line += (i > 0 ? "; " : "") + problems[i];
        printLine(line + ". Using the defaults for those.");
    }
    return options;
}
