#include "frame_timer.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace {
constexpr float kTitleInterval = 0.2f;
}

std::optional<int> framesPerSecond(float frameTime)
{
    if (!(frameTime > 0.0f))
        return std::nullopt;
    const float rate = std::round(1.0f / frameTime);
    // A clock step too small for the float rate would overflow the integer.
    if (!(rate < static_cast<float>(std::numeric_limits<std::int32_t>::max())))
        return std::nullopt;
    return static_cast<int>(rate);
}

void frameRateTitle(std::string& out, const std::string& title, int fps)
{
    char number[16];
    std::snprintf(number, sizeof number, "%d", fps);
    out.assign(title);
    out.append(" | FPS: ");
    out.append(number);
}

std::optional<int> FrameTimer::tick(float now)
{
    frameTime = now - lastTime;
    lastTime = now;
    fpsAccumulator += frameTime;
    if (!(fpsAccumulator > kTitleInterval))
        return std::nullopt;
    fpsAccumulator -= kTitleInterval;
    return framesPerSecond(frameTime);
}
