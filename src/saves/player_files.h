#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// Reads a small text file of the player's whole. Nothing, with `error` empty, when there is no
// such file; nothing, with `error` saying why, when it cannot be read or is larger than `largest`.
std::optional<std::string> readPlayerFile(const std::filesystem::path& file, std::uintmax_t largest,
                                          std::string& error);

// Moves a damaged file aside, to "<name>.damaged" (or "<name>.damaged-2", ... when that is taken),
// so that nothing the player had is overwritten. Returns where it went, or nothing (`error` says
// why).
std::optional<std::filesystem::path> moveAside(const std::filesystem::path& file, std::string& error);
