#pragma once

#include <cstdint>
#include <string>

// What the command line asked for.
struct StartupOptions {
    std::string screenshotFile;
    std::string cameraFile;
    std::string rendererFile;
    std::uint32_t seed = 0;
    int benchmarkFrames = 0; // frames to time; 0: play normally
    std::string replayFile;
    std::string verifyReplayFile;
    std::string dailyDate; // the date given, or empty for today's
    std::string ghostFile;
    std::string quality;          // --quality low|medium|high; empty: the player's choice
    std::string exportReplayFile; // --export-video REPLAY OUT
    std::string exportVideoFile;
    std::uint32_t crashAtTick = 0; // --crash-at-tick N, not in the help: a test of the crash path
    int videoWidth = 1280; // --size WxH, of an exported video
    int videoHeight = 720;
    bool runHeadless = false;
    bool cameraFileGiven = false;
    bool rendererFileGiven = false;
    bool screenshotFileGiven = false;
    bool seedGiven = false;
    bool benchmarkEmpty = false;
    bool replayGiven = false;       // --replay FILE
    bool verifyReplayGiven = false; // --verify-replay FILE
    bool audioLog = false;          // --audio-log, with --verify-replay
    bool dailyGiven = false;        // --daily [YYYY-MM-DD]
    bool ghostGiven = false;        // --ghost FILE
    bool exportVideoGiven = false;
    bool helpRequested = false;    // --help
    bool versionRequested = false; // --version
};

// Fills `options` from the program's arguments:
//   --run_headless          render one frame, save it as a screenshot and quit
//   --filename NAME         base name of that screenshot (".ppm" is appended)
//   --init_camera ASSET     camera settings file in place of the default
//   --init_renderer ASSET   renderer settings file in place of the default
//   --seed N                seed of the track generator (0 to 4294967295), for reproducible tracks
//   --benchmark N           play N frames with no input and a fixed frame time, then report the timing
//   --benchmark-empty N     the same frames drawing nothing but the clear, the composite and the swap
//   --replay FILE           play a recorded run back in the window
//   --verify-replay FILE    play a recorded run again without a window and check it ends the same
//   --audio-log             with --verify-replay: a line for every sound, with its tick
//   --daily [DATE]          play the daily run of today (UTC), or of DATE (YYYY-MM-DD)
//   --ghost FILE            play the track of a recorded run, racing it as a ghost
//   --quality Q             the graphics preset for this run: low, medium or high
//   --help, --version       print the options and controls, or the version, and quit
// Option words match exactly. The date after --daily is the next word unless that is an option. A value word is looked
// at again as an option word, unknown words are ignored, a repeated option keeps its last value, and an option that
// wants a value but comes last is ignored. A seed or frame count that is not a whole number in range is reported and
// ignored.
void parseCommandLine(StartupOptions& options, int argc, const char* const* argv);

// The text --help prints: the options and the controls, a line each.
const char* commandLineHelp();
