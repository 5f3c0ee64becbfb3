#pragma once

#include <filesystem>
#include <string>

#include "process.h"
#include "temp_dir.h"

// A player of their own: data and options folders of their own, and no sound device.
struct PlayerFolders {
    TempDir data, config, state;
    ProcessOptions options() const;
};

// The game's window once it shows, focused; empty when none shows within a minute.
std::string focusedGameWindow();

// The share of a rectangle's pixels ("WxH+X+Y", origin top-left) that are the runner's green over
// whatever is behind it: green well above both red and blue, which neither the track nor the sky is.
double runnerGreenShare(const std::filesystem::path& png, const std::string& geometry);
