#include "cube.h"

GeometryData unitCubeData;
