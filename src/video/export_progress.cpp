#include "export_progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "console.h"

namespace {

// A terminal's line is rewritten a few times a second: more would only cost.
constexpr double kTerminalPeriod = 0.25;
constexpr double kFramesPerSecond = 60.0;

} // namespace

std::string videoClockTime(double seconds)
{
    const long whole = std::lround(std::max(0.0, seconds));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

ExportProgress::ExportProgress(int totalFrames, bool onTerminal) : total(totalFrames), terminal(onTerminal)
{
}

std::string ExportProgress::describe(int done, int total, double seconds)
{
    const int percent = total > 0 ? static_cast<int>(100LL * done / total) : 100;
    const double speed = seconds > 0.0 ? done / kFramesPerSecond / seconds : 0.0;
    const double left = done > 0 ? seconds * (total - done) / done : 0.0;
    char text[128];
    std::snprintf(text, sizeof text, "%d%% (%d of %d frames), %.1fx real time, %s left", percent, done, total, speed,
                  videoClockTime(left).c_str());
    return text;
}

void ExportProgress::frameDone(int done, double seconds)
{
    if (terminal) {
        if (seconds - lastShown < kTerminalPeriod && done < total)
            return;
        lastShown = seconds;
        std::string line = "Exporting: " + describe(done, total, seconds);
        const size_t length = line.size();
        // Plain blanks over the rest of a longer line before: every console shows them as they are.
        line.append(shownLength > length ? shownLength - length : 0, ' ');
        shownLength = length;
        printOverLine(line);
        lineOpen = true;
        return;
    }
    const int tenths = total > 0 ? static_cast<int>(10LL * done / total) : 10;
    if (tenths <= tenthsSaid)
        return;
    tenthsSaid = tenths;
    printLine("Exported " + describe(done, total, seconds) + ".");
}

void ExportProgress::finish()
{
    if (lineOpen)
        printLine("");
    lineOpen = false;
}
