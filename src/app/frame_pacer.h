#pragma once

#include <optional>

class WaitableClock;

// Keeps consecutive frames at least one period apart, measured at one fixed point of the frame.
class FramePacer {
public:
    FramePacer(WaitableClock& clock, double period);

    // Returns once `period` has passed since it last returned, sleeping through most of the wait
    // and waiting out the last part precisely. After a frame that ran long it returns at once,
    // and the next frame waits a full period again: late frames are never made up for.
    void waitUntilDue();

private:
    WaitableClock& clock;
    double period;
    std::optional<double> lastReturn;
};
