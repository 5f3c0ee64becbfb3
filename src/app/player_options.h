#pragma once

#include <filesystem>
#include <optional>
#include <string>

// What the player has set, kept in their options file. Every value has a default, so a missing
// file or key is no error.
struct AudioOptions {
    int master = 80; // each from 0 to 100
    int music = 60;
    int effects = 80;
};

struct PlayerOptions {
    AudioOptions audio;
};

// "options.ini" in the player's config folder, or nothing when the environment names no home.
std::optional<std::filesystem::path> playerOptionsFile();

// Reads the player's options. A file that cannot be read (a folder in its place, binary, too
// large) or that holds bad values is reported in one line; the defaults stand in for whatever
// it could not give.
PlayerOptions loadPlayerOptions(const std::optional<std::filesystem::path>& file);
