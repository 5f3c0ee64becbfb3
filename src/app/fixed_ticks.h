#pragma once

// Turns the real time between frames into ticks of the simulation, each exactly 1/60 s: a frame
// runs as many ticks as the time since the last frame calls for, and carries the rest over.
class FixedTicks {
public:
    static constexpr double kTickSeconds = 1.0 / 60.0;
    // Below 15 frames a second the game slows down rather than jumping ahead, and a long stall
    // (a dragged window, a debugger) is not made up for afterwards.
    static constexpr int kMostPerFrame = 4;

    // Adds the real time a frame took, played `speed` times as fast (0: not at all); returns how
    // many ticks are due now.
    int advance(double frameSeconds, double speed = 1.0);

    // How far the time carried over reaches into the next tick, from 0 to 1: frames are drawn
    // that far between the last two ticks.
    float blend() const { return static_cast<float>(carried / kTickSeconds); }

private:
    double carried = 0.0;
};
