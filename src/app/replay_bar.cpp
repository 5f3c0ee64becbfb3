#include "replay_bar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kBarHeight = 76;
constexpr int kTrackLeft = 230;
constexpr int kTrackRightMargin = 330; // the speed and the points, right of the track
constexpr int kTrackY = 22;
constexpr int kTicksPerSecond = 60;
constexpr char kKeys[] =
    "[Space] Pause   [Left] [Right] 5 s   [Home] [End]   [-] [+] Speed   [C] View   [Enter] Play from here";

// The bar's measures at its text size: the clock and the state grow, and the track between gives
// them the room.
int scaled(const ReplayBar& bar, int pixels)
{
    return pixels * bar.textSize / 100;
}

int trackLeft(const ReplayBar& bar)
{
    return scaled(bar, kTrackLeft);
}

int trackRight(const ReplayBar& bar)
{
    return std::max(trackLeft(bar) + 1, bar.width - scaled(bar, kTrackRightMargin));
}

// The keys' line is as wide as the window allows.
int keysSize(const ReplayBar& bar)
{
    const int widest = (bar.width - 8) * 10 / static_cast<int>(5 * (sizeof kKeys - 1) + 1);
    return std::max(1, std::min(scaled(bar, 20), std::max(20, widest)));
}

} // namespace

void replayBarItems(const ReplayBar& bar, std::vector<ScreenItem>& items)
{
    ItemWriter write(items, items.size());
    write.laidOutForTextSize();
    const int left = trackLeft(bar);
    const int right = trackRight(bar);
    write.panel(PanelId::PauseBackground, 0, 0, bar.width, scaled(bar, kBarHeight));
    write.text(kKeys, bar.width / 2, scaled(bar, 50), keysSize(bar), true);
    std::string& clock = write.text(20, scaled(bar, 12), scaled(bar, 30), false);
    writeClockTime(clock, bar.played);
    clock.append(" / ");
    std::string length;
    writeClockTime(length, bar.length);
    clock.append(length);
    const int trackY = scaled(bar, kTrackY);
    write.panel(PanelId::BluePanel, left, trackY, right - left, 10);
    const double share = bar.length > 0 ? std::min(1.0, static_cast<double>(bar.played) / bar.length) : 0.0;
    const int marker = left + static_cast<int>(std::lround(share * (right - left)));
    write.panel(PanelId::GlassCorner, marker - 8, trackY - 10, 16, 30);
    std::string& state = write.text(right + scaled(bar, 30), scaled(bar, 12), scaled(bar, 30), false);
    writeNumber(state, "   ", bar.points, " points");
    state.insert(0, bar.paused ? "Paused" : bar.speed);
}

std::optional<std::uint32_t> replayBarTickAt(const ReplayBar& bar, float x, float y)
{
    const auto left = static_cast<float>(trackLeft(bar));
    const auto right = static_cast<float>(trackRight(bar));
    // A little either side of the track still counts: its ends are the start and the end.
    if (y < 0.0f || y >= static_cast<float>(scaled(bar, kBarHeight)) || x < left - 12.0f || x > right + 12.0f)
        return std::nullopt;
    const double share = std::clamp(static_cast<double>(x - left) / static_cast<double>(right - left), 0.0, 1.0);
    return static_cast<std::uint32_t>(std::lround(share * bar.length));
}

void writeClockTime(std::string& text, std::uint32_t ticks)
{
    const std::uint32_t seconds = ticks / kTicksPerSecond;
    char digits[24];
    std::snprintf(digits, sizeof digits, "%u:%02u", seconds / 60, seconds % 60);
    text.assign(digits);
}
