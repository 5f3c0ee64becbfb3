#pragma once

// A clock that can be waited on. The frame pacer waits with one; its tests give it a fake.
class WaitableClock {
public:
    virtual ~WaitableClock() = default;

    // Seconds since an arbitrary start.
    virtual double now() = 0;

    // Sleeps for about `seconds`; it may wake late by up to `wakeLateness()`. A sleep of 0 only
    // gives up the rest of the time slice.
    virtual void sleepFor(double seconds) = 0;

    // How late a sleep may wake on this clock's platform.
    virtual double wakeLateness() const = 0;
};

// The system's steady clock. Windows' scheduler ticks every 15.6 ms unless a program asks for
// finer ticks, so while a SystemClock exists the process asks for 1 ms ticks.
class SystemClock final : public WaitableClock {
public:
    SystemClock();
    ~SystemClock() override;
    SystemClock(const SystemClock&) = delete;
    SystemClock& operator=(const SystemClock&) = delete;

    double now() override;
    void sleepFor(double seconds) override;
    double wakeLateness() const override;
};
