#pragma once

#include <optional>
#include <string>

#include "mixer.h"

// Reads a WAV file with SDL's loader into a mono sound at the mixer's rate. A file that is
// missing, too large or not a WAV SDL can read yields nothing, and `error` says why.
std::optional<Sound> loadSound(const std::string& path, std::string& error);
