#pragma once

#include <vector>

#include "geometry.h"

inline constexpr const char* kPlatformModelFile = "assets/models/new_platform.obj";

// The platform model, loaded once before start-up and shared by every platform.
extern std::vector<GeometryData> platformModel;
