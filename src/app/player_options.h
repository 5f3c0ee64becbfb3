#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "key_bindings.h"
#include "quality.h"

// What the player has set, kept in their options file. The game's own settings files give the
// defaults; every value the player's file holds overrides them.
struct AudioOptions {
    int master = 80; // each from 0 to 100
    int music = 60;
    int effects = 80;
    bool operator==(const AudioOptions& other) const
    {
        return master == other.master && music == other.music && effects == other.effects;
    }
};

struct VideoOptions {
    bool fullscreen = false;
    Quality quality = Quality::High;
    bool showFps = true; // the frame rate in the title
    bool ghost = true;   // a recorded run races beside the player's, where there is one
    int textSize = 100;  // in percent: 100, 125 or 150 (kTextSizes)
    bool operator==(const VideoOptions& other) const
    {
        return fullscreen == other.fullscreen && quality == other.quality && showFps == other.showFps &&
               ghost == other.ghost && textSize == other.textSize;
    }
};

struct InputOptions {
    float mouseSensitivity = 1.0f; // a factor on the mouse's turn, from 0.1 to 5
    bool invertMouseY = false;
    bool pauseOnFocusLoss = true;
    bool operator==(const InputOptions& other) const
    {
        return mouseSensitivity == other.mouseSensitivity && invertMouseY == other.invertMouseY &&
               pauseOnFocusLoss == other.pauseOnFocusLoss;
    }
};

struct PlayerOptions {
    AudioOptions audio;
    VideoOptions video;
    InputOptions input;
    KeyBindings keys;
    bool operator==(const PlayerOptions& other) const;
    bool operator!=(const PlayerOptions& other) const { return !(*this == other); }
};

inline constexpr int kTextSizes[] = {100, 125, 150};
inline constexpr float kLeastMouseSensitivity = 0.1f;
inline constexpr float kMostMouseSensitivity = 5.0f;

// The player's options file: "options.ini" in their config folder. Reads it defensively and writes
// it whole. Each problem with it is said in one line, once.
class OptionsFile {
public:
    // "options.ini" in the player's config folder, or nothing when the environment names no home.
    static std::optional<std::filesystem::path> defaultFile();

    explicit OptionsFile(std::optional<std::filesystem::path> file);

    // The options the file holds over `defaults`. A file that cannot be read (a folder in its
    // place, binary, too large) or that holds bad values is reported in one line; the defaults
    // stand in for whatever it could not give.
    PlayerOptions load(const PlayerOptions& defaults);

    // Writes `options` as the whole file, through a temporary file and a rename, when they differ
    // from what was read or last written. A failure is said once; the game goes on with the
    // options it has.
    void save(const PlayerOptions& options);

    const std::optional<std::filesystem::path>& path() const { return file; }
    // Whether the file named a graphics quality: the player, or an earlier start, chose one.
    bool holdsQuality() const { return qualityHeld; }

private:
    std::optional<std::filesystem::path> file;
    std::optional<PlayerOptions> written; // what the file holds now, as far as the game knows
    bool saving = true;                   // false once the file has shown it cannot be written
    bool qualityHeld = false;
};

// The text of an options file holding `options`: every section and key, and nothing else.
std::string optionsFileText(const PlayerOptions& options);
