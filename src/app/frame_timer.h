#pragma once

#include <optional>
#include <string>

// Frame timing: the previous frame's duration and the frame-rate readout for the title.
class FrameTimer {
public:
    explicit FrameTimer(float startTime) : lastTime(startTime) {}

    // Called once per frame with the clock in seconds. Returns the frame rate to show when the
    // title is due for an update (about five times a second), the rate of the last frame only.
    std::optional<int> tick(float now);

    // Duration of the previous frame in seconds; 0 before the first tick.
    float dt() const { return frameTime; }

private:
    float lastTime;
    float frameTime = 0.0f;
    float fpsAccumulator = 0.0f;
};

// 1 / frameTime rounded to the nearest integer, or nothing when that has no integer value
// (a frame of zero or negative measured length).
std::optional<int> framesPerSecond(float frameTime);

// "<title> | FPS: <fps>", written into `out`, whose storage is reused.
void frameRateTitle(std::string& out, const std::string& title, int fps);
