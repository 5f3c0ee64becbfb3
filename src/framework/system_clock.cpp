#include "system_clock.h"

#include <chrono>
#include <thread>

#ifdef _WIN32
#include <windows.h>
// timeapi.h after windows.h, which it needs.
#include <timeapi.h>
#endif

double SystemClock::now()
{
    using Seconds = std::chrono::duration<double>;
    return std::chrono::duration_cast<Seconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

#ifdef _WIN32

namespace {
constexpr UINT kTimerPeriodMs = 1;
}

SystemClock::SystemClock()
{
    timeBeginPeriod(kTimerPeriodMs);
}

SystemClock::~SystemClock()
{
    timeEndPeriod(kTimerPeriodMs);
}

void SystemClock::sleepFor(double seconds)
{
    // Sleep() rounds down to whole ticks of the 1 ms period asked for above.
    const auto milliseconds = static_cast<DWORD>(seconds * 1000.0);
    if (milliseconds == 0)
        std::this_thread::yield();
    else
        Sleep(milliseconds);
}

double SystemClock::wakeLateness() const
{
    // One tick of the 1 ms timer, and as much again for the thread to be scheduled.
    return 0.002;
}

#else

SystemClock::SystemClock() = default;
SystemClock::~SystemClock() = default;

void SystemClock::sleepFor(double seconds)
{
    if (seconds <= 0.0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

double SystemClock::wakeLateness() const
{
    // Linux's high-resolution timers wake within tens of microseconds on an idle core; the
    // margin covers a busy one.
    return 0.001;
}

#endif
