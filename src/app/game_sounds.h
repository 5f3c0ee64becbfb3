#pragma once

#include <string>
#include <vector>

#include "mixer.h"
#include "run_sounds.h"

// "assets/sounds/<name>.wav"
std::string soundAsset(SoundId id);

// Every sound of the game from assets/sounds/, in the order of SoundId. A sound that is missing or
// cannot be read is reported in one line and stays silent (empty).
std::vector<Sound> loadGameSounds();
