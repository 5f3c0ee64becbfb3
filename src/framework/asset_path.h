#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The file that marks the project root; the asset search never rises above the folder holding it.
inline constexpr const char* kAssetRootMarker = "CMakeLists.txt";

// Every readable file named `assetName` in `startFolder` and its parents, nearest first.
// The walk stops at the first folder holding the root marker (searched too) or at the file-system root.
std::vector<std::string> findAssetCandidates(const std::filesystem::path& startFolder, const std::string& assetName);

// The full path of the one copy of `assetName` found from the executable's folder upwards,
// or the empty string if there is none. Two or more copies are a fatal configuration error,
// and so is an executable path the platform cannot tell.
std::string resolveAssetPath(std::string assetName);
