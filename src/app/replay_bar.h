#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "screen_items.h"

// What the replay viewer's bar along the bottom of the window shows.
struct ReplayBar {
    int width = 0;
    std::uint32_t played = 0; // ticks
    std::uint32_t length = 0;
    std::int32_t points = 0;
    bool paused = false;
    const char* speed = "1x";
    int textSize = 100; // in percent: the bar lays itself out for it
};

// The bar, after the items already in `items`: the viewer's keys, the time played and the run's
// length, a track with a marker where the run is, the speed (or "Paused") and the points.
void replayBarItems(const ReplayBar& bar, std::vector<ScreenItem>& items);

// The tick a click at (x, y), in window pixels from the bottom left, goes to: on the bar, the
// moment under the pointer along the track; elsewhere nothing.
std::optional<std::uint32_t> replayBarTickAt(const ReplayBar& bar, float x, float y);

// "m:ss": the time of so many ticks, in whole seconds.
void writeClockTime(std::string& text, std::uint32_t ticks);
