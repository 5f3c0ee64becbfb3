#pragma once

#include <INIReader.h>
#include <string>

// Reads a settings file found by the asset search. A missing or unopenable file is reported
// once on the console; the returned reader is then empty and every query yields its default.
INIReader loadSettings(const std::string& assetName);
