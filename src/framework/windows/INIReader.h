#pragma once

// The Windows build reads its settings with the game's own reader (inih is not packaged there).
#include "ini_file_reader.h"

using INIReader = IniFileReader;
