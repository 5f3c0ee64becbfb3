#pragma once

#include <cstddef>
#include <string>

// How far an export has got. On a terminal one line is rewritten in place as the frames are
// done; elsewhere (a log, a pipe) a line is printed at each tenth of the way.
class ExportProgress {
public:
    ExportProgress(int totalFrames, bool terminal);

    // `done` frames are encoded, `seconds` after the export began.
    void frameDone(int done, double seconds);
    // The in-place line ends, so what is printed next starts a line of its own.
    void finish();

    // "42% (1200 of 2880 frames), 2.1x real time, 0:12 left"
    static std::string describe(int done, int total, double seconds);

private:
    int total;
    bool terminal;
    int tenthsSaid = 0;
    double lastShown = -1.0;
    size_t shownLength = 0; // of the terminal's line
    bool lineOpen = false;
};

// Video time as m:ss, from a number of frames at 60 a second.
std::string videoClockTime(double seconds);
