#include "app_state.h"

AppFlags appFlags;
std::int32_t points = 0;
