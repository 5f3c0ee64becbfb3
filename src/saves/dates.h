#pragma once

#include <string>

// Today's date, "2026-12-09", on the player's own calendar: the day a run is listed under.
std::string localDate();
// Today's date in UTC: the day whose daily run is played, the same the world over.
std::string utcDate();
