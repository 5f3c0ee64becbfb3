#pragma once

#include "geometry.h"

// The unit cube every cube of the track is drawn with, prepared before start-up.
extern GeometryData unitCubeData;
