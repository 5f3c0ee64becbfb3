#include "fixed_ticks.h"

#include <algorithm>
#include <cmath>

int FixedTicks::advance(double frameSeconds, double speed)
{
    // A clock that stood still, went back or read nonsense adds nothing.
    if (frameSeconds > 0.0 && std::isfinite(frameSeconds) && speed > 0.0)
        carried += frameSeconds * speed;
    // Faster than real time, the frames that may be made up for are as many as at normal speed.
    const int most = static_cast<int>(std::ceil(kMostPerFrame * std::max(1.0, speed)));
    const double due = std::floor(carried / kTickSeconds);
    if (due > most) {
        carried = std::fmod(carried, kTickSeconds);
        return most;
    }
    carried = std::max(0.0, carried - due * kTickSeconds);
    return static_cast<int>(due);
}
