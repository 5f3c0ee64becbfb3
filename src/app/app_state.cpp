#include "app_state.h"

AppFlags appFlags;
std::int32_t points = 0;
std::int64_t lastDropTicks = 0;
