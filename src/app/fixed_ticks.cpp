#include "fixed_ticks.h"

#include <algorithm>
#include <cmath>

int FixedTicks::advance(double frameSeconds)
{
    // A clock that stood still, went back or read nonsense adds nothing.
    if (frameSeconds > 0.0 && std::isfinite(frameSeconds))
        carried += frameSeconds;
    const double due = std::floor(carried / kTickSeconds);
    if (due > kMostPerFrame) {
        carried = std::fmod(carried, kTickSeconds);
        return kMostPerFrame;
    }
    carried = std::max(0.0, carried - due * kTickSeconds);
    return static_cast<int>(due);
}
