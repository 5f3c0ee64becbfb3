#pragma once

#include <string>

// The game's OBJ models as file text.
std::string platformModel();
std::string glidePowerupModel();
std::string doublePointsPowerupModel();
// The runner a ghost is drawn as.
std::string ghostModel();
