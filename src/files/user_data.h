#pragma once

#include <filesystem>
#include <string>

// The folder of this user's game data: $XDG_DATA_HOME/zarnok (~/.local/share/zarnok when it is
// unset) on Linux, %APPDATA%\zarnok on Windows. Empty when the environment names no home.
std::filesystem::path userDataFolder();

// The folder of this user's game settings: $XDG_CONFIG_HOME/zarnok (~/.config/zarnok when it is
// unset) on Linux, %APPDATA%\zarnok on Windows. Empty when the environment names no home.
std::filesystem::path userConfigFolder();

// The folder of what the game keeps of its own sessions (the log): $XDG_STATE_HOME/zarnok
// (~/.local/state/zarnok when it is unset) on Linux, %LOCALAPPDATA%\zarnok on Windows.
std::filesystem::path userStateFolder();

// Replaces `file` with `content` so that no reader ever sees half of it: the content goes to a
// temporary file in the same folder, reaches the disk, and is then renamed over `file`. The
// folder is made if missing. On failure returns false and tells why in `error`.
bool replaceFileAtomically(const std::filesystem::path& file, const std::string& content, std::string& error);
