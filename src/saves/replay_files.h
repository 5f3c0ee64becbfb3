#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "replay.h"

// Reads a replay file; on failure `error` says why, in words for a player.
std::optional<Replay> loadReplay(const std::filesystem::path& file, std::string& error);

// Writes a replay file whole, through a temporary file and a rename.
bool saveReplay(const std::filesystem::path& file, const Replay& replay, std::string& error);

// The replays of this player: the last run and the best, beside the best score.
std::optional<std::filesystem::path> replayFolder();
