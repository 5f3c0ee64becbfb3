#include "platform.h"

std::vector<GeometryData> platformModel;
