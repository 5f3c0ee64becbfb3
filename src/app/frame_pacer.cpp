#include "frame_pacer.h"

#include "system_clock.h"

FramePacer::FramePacer(WaitableClock& waitClock, double framePeriod) : clock(waitClock), period(framePeriod)
{
}

void FramePacer::waitUntilDue()
{
    double now = clock.now();
    // The first frame, and a clock that jumped back past the last return, begin a new schedule.
    if (!lastReturn || now < *lastReturn) {
        lastReturn = now;
        return;
    }
    const double previousReturn = *lastReturn;
    const double due = previousReturn + period;
    const double sleepUntil = due - clock.wakeLateness();
    if (now < sleepUntil)
        clock.sleepFor(sleepUntil - now);
    now = clock.now();
    // A sleep may wake late, so it stops short of the due time and the rest is spun out.
    while (now < due && now >= previousReturn) {
        clock.sleepFor(0.0);
        now = clock.now();
    }
    lastReturn = now;
}
