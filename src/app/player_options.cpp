#include "player_options.h"

#include <INIReader.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
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
        return "it is a folder, so no options can be saved either";
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
    if (std::find(bytes.begin(), bytes.end(), '\0') != bytes.end())
        return "it is not a text file";
    return std::nullopt;
}

// Reads one section's values over the defaults, noting each value it cannot use.
class OptionsReader {
public:
    explicit OptionsReader(const INIReader& ini) : ini(ini) {}

    void percent(const char* section, const char* key, int& value)
    {
        const std::string text = ini.Get(section, key, "");
        if (text.empty())
            return;
        int number = 0;
        bool valid = text.size() <= 3;
        for (char c : text) {
            valid = valid && c >= '0' && c <= '9';
            number = number * 10 + (c - '0');
        }
        if (valid && number <= 100)
            value = number;
        else
            problems.push_back(std::string(key) + " = " + text + " is not a whole number from 0 to 100");
    }

    void textSize(const char* section, const char* key, int& value)
    {
        const std::string text = ini.Get(section, key, "");
        for (int size : kTextSizes)
            if (text == std::to_string(size)) {
                value = size;
                return;
            }
        if (!text.empty())
            problems.push_back(std::string(key) + " = " + text + " is not 100, 125 or 150");
    }

    void flag(const char* section, const char* key, bool& value)
    {
        std::string text = ini.Get(section, key, "");
        if (text.empty())
            return;
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
        if (text == "true" || text == "yes" || text == "on" || text == "1")
            value = true;
        else if (text == "false" || text == "no" || text == "off" || text == "0")
            value = false;
        else
            problems.push_back(std::string(key) + " = " + ini.Get(section, key, "") + " is neither true nor false");
    }

    void factor(const char* section, const char* key, float least, float most, float& value)
    {
        const std::string text = ini.Get(section, key, "");
        if (text.empty())
            return;
        char* end = nullptr;
        const float number = std::strtof(text.c_str(), &end);
        if (end != text.c_str() && *end == '\0' && number >= least && number <= most)
            value = number;
        else
            problems.push_back(std::string(key) + " = " + text + " is not a number from " + formatFactor(least) +
                               " to " + formatFactor(most));
    }

    // Whether the file names a quality at all, good or bad.
    bool quality(const char* section, const char* key, Quality& value)
    {
        const std::string text = ini.Get(section, key, "");
        if (text.empty())
            return false;
        if (const std::optional<Quality> named = qualityFromName(text))
            value = *named;
        else
            problems.push_back(std::string(key) + " = " + text + " is not low, medium or high");
        return true;
    }

    void keys(KeyBindings& bindings)
    {
        for (int i = 0; i < kActionCount; ++i) {
            const Action action = static_cast<Action>(i);
            const std::string text = ini.Get("keys", actionName(action), "");
            if (text.empty())
                continue;
            const std::optional<int> key = keyFromName(text);
            if (!key) {
                problems.push_back(std::string(actionName(action)) + " = " + text + " is no key the game knows");
                continue;
            }
            if (const std::optional<std::string> said = bindings.bind(action, *key))
                problems.push_back(std::string(actionName(action)) + " = " + text + ": " + *said);
        }
    }

    static std::string formatFactor(float value)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
        std::string written = text;
        // "1.00" reads as "1.0", "1.25" stays.
        while (written.size() > 3 && written.back() == '0' && written[written.size() - 2] != '.')
            written.pop_back();
        return written;
    }

    std::vector<std::string> problems;

private:
    const INIReader& ini;
};

const char* yesNo(bool value)
{
    return value ? "true" : "false";
}

} // namespace

bool PlayerOptions::operator==(const PlayerOptions& other) const
{
    bool sameKeys = true;
    for (int i = 0; i < kActionCount; ++i)
        sameKeys = sameKeys && keys.keyOf(static_cast<Action>(i)) == other.keys.keyOf(static_cast<Action>(i));
    return audio == other.audio && video == other.video && input == other.input && sameKeys;
}

std::optional<fs::path> OptionsFile::defaultFile()
{
    const fs::path folder = userConfigFolder();
    if (folder.empty())
        return std::nullopt;
    return folder / "options.ini";
}

OptionsFile::OptionsFile(std::optional<fs::path> optionsFile) : file(std::move(optionsFile))
{
}

PlayerOptions OptionsFile::load(const PlayerOptions& defaults)
{
    PlayerOptions options = defaults;
    std::error_code code;
    // No file holds the defaults, as far as saving goes: only a change writes one.
    if (!file || !fs::exists(fs::symlink_status(*file, code))) {
        written = options;
        return options;
    }
    if (const std::optional<std::string> reason = unreadable(*file)) {
        printLine("Ignoring the options file " + quoted(*file) + ": " + *reason + ". Using the defaults.");
        saving = !fs::is_directory(*file, code);
        return options;
    }
    const INIReader ini(file->string());
    OptionsReader read(ini);
    if (ini.ParseError() > 0)
        read.problems.push_back("line " + std::to_string(ini.ParseError()) + " is not a setting");
    read.percent("audio", "master", options.audio.master);
    read.percent("audio", "music", options.audio.music);
    read.percent("audio", "effects", options.audio.effects);
    read.flag("video", "fullscreen", options.video.fullscreen);
    qualityHeld = read.quality("video", "quality", options.video.quality);
    read.flag("video", "show_fps", options.video.showFps);
    read.flag("video", "ghost", options.video.ghost);
    read.textSize("video", "text_size", options.video.textSize);
    read.factor("input", "mouse_sensitivity", kLeastMouseSensitivity, kMostMouseSensitivity,
                options.input.mouseSensitivity);
    read.flag("input", "invert_mouse_y", options.input.invertMouseY);
    read.flag("input", "pause_on_focus_loss", options.input.pauseOnFocusLoss);
    read.keys(options.keys);
    if (!read.problems.empty()) {
        std::string line = "In the options file " + quoted(*file) + ": ";
        for (size_t i = 0; i < read.problems.size(); ++i)
            line += (i > 0 ? "; " : "") + read.problems[i];
        printLine(line + ". Using the defaults for those.");
    } else {
        written = options;
    }
    return options;
}

void OptionsFile::save(const PlayerOptions& options)
{
    if (!file || !saving || (written && *written == options))
        return;
    std::string error;
    if (!replaceFileAtomically(*file, optionsFileText(options), error)) {
        printLine("Could not save the options to " + quoted(*file) + ": " + error + ".");
        saving = false;
        return;
    }
    written = options;
    qualityHeld = true;
}

std::string optionsFileText(const PlayerOptions& options)
{
    std::string text = "; ZARNOK 2023's options, written by the game whenever one changes.\n";
    text += "[audio]\n";
    text += "master = " + std::to_string(options.audio.master) + "\n";
    text += "music = " + std::to_string(options.audio.music) + "\n";
    text += "effects = " + std::to_string(options.audio.effects) + "\n";
    text += "\n[video]\n";
    text += std::string("fullscreen = ") + yesNo(options.video.fullscreen) + "\n";
    text += std::string("quality = ") + qualityName(options.video.quality) + "\n";
    text += std::string("show_fps = ") + yesNo(options.video.showFps) + "\n";
    text += std::string("ghost = ") + yesNo(options.video.ghost) + "\n";
    text += "text_size = " + std::to_string(options.video.textSize) + "\n";
    text += "\n[input]\n";
    text += "mouse_sensitivity = " + OptionsReader::formatFactor(options.input.mouseSensitivity) + "\n";
    text += std::string("invert_mouse_y = ") + yesNo(options.input.invertMouseY) + "\n";
    text += std::string("pause_on_focus_loss = ") + yesNo(options.input.pauseOnFocusLoss) + "\n";
    text += "\n[keys]\n";
    for (int i = 0; i < kActionCount; ++i) {
        const Action action = static_cast<Action>(i);
        text += std::string(actionName(action)) + " = " + keyName(options.keys.keyOf(action)) + "\n";
    }
    return text;
}
