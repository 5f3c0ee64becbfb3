#include "startup_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "console.h"

namespace {

bool isWord(const char* argument, const char* word)
{
    return std::strcmp(argument, word) == 0;
}

// Sets the option's flag and value from the argument after `index`, if there is one.
void takeValue(bool& given, std::string& value, int index, int argc, const char* const* argv)
{
    if (index + 1 >= argc)
        return;
    given = true;
    value = argv[index + 1];
}

// A decimal number from 0 to 4294967295, and nothing else.
bool parseNumber(const char* text, std::uint32_t& number)
{
    if (*text < '0' || *text > '9')
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0' || value > 0xFFFFFFFFull)
        return false;
    number = static_cast<std::uint32_t>(value);
    return true;
}

void takeSeed(StartupOptions& options, int index, int argc, const char* const* argv)
{
    if (index + 1 >= argc)
        return;
    const char* value = argv[index + 1];
    if (parseNumber(value, options.seed))
        options.seedGiven = true;
    else
        printLine(std::string("Ignoring --seed '") + value + "': not a whole number from 0 to 4294967295.");
}

// A frame count from 1 to 1000000.
void takeFrameCount(StartupOptions& options, bool empty, int index, int argc, const char* const* argv)
{
    if (index + 1 >= argc)
        return;
    const char* value = argv[index + 1];
    std::uint32_t frames = 0;
    if (parseNumber(value, frames) && frames >= 1 && frames <= 1000000) {
        options.benchmarkFrames = static_cast<int>(frames);
        options.benchmarkEmpty = empty;
    } else {
        printLine(std::string("Ignoring ") + argv[index] + " '" + value + "': not a frame count from 1 to 1000000.");
    }
}

void takeQuality(StartupOptions& options, int index, int argc, const char* const* argv)
{
    if (index + 1 >= argc)
        return;
    const std::string value = argv[index + 1];
    if (value == "low" || value == "medium" || value == "high")
        options.quality = value;
    else
        printLine("Ignoring --quality '" + value + "': not low, medium or high.");
}

// Both files after --export-video, or none.
void takeExport(StartupOptions& options, int index, int argc, const char* const* argv)
{
    if (index + 2 >= argc) {
        printLine("Ignoring --export-video: it needs a replay and the video's file, as in --export-video run.replay "
                  "run.mp4.");
        return;
    }
    options.exportVideoGiven = true;
    options.exportReplayFile = argv[index + 1];
    options.exportVideoFile = argv[index + 2];
}

// WxH, each side even (as the encoders need it) and from 16 to 7680.
void takeVideoSize(StartupOptions& options, int index, int argc, const char* const* argv)
{
    if (index + 1 >= argc)
        return;
    const std::string value = argv[index + 1];
    const size_t by = value.find('x');
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    const bool sized = by != std::string::npos && parseNumber(value.substr(0, by).c_str(), width) &&
                       parseNumber(value.substr(by + 1).c_str(), height);
    const auto fits = [](std::uint32_t side) { return side >= 16 && side <= 7680 && side % 2 == 0; };
    if (sized && fits(width) && fits(height)) {
        options.videoWidth = static_cast<int>(width);
        options.videoHeight = static_cast<int>(height);
    } else {
        printLine("Ignoring --size '" + value + "': not a size written WxH, each side even and from 16 to 7680.");
    }
}

} // namespace

void parseCommandLine(StartupOptions& options, int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (argument == nullptr)
            continue;
        if (isWord(argument, "--run_headless"))
            options.runHeadless = true;
        if (isWord(argument, "--filename"))
            takeValue(options.screenshotFileGiven, options.screenshotFile, i, argc, argv);
        if (isWord(argument, "--init_camera"))
            takeValue(options.cameraFileGiven, options.cameraFile, i, argc, argv);
        if (isWord(argument, "--init_renderer"))
            takeValue(options.rendererFileGiven, options.rendererFile, i, argc, argv);
        if (isWord(argument, "--seed"))
            takeSeed(options, i, argc, argv);
        if (isWord(argument, "--benchmark"))
            takeFrameCount(options, false, i, argc, argv);
        if (isWord(argument, "--benchmark-empty"))
            takeFrameCount(options, true, i, argc, argv);
        if (isWord(argument, "--replay"))
            takeValue(options.replayGiven, options.replayFile, i, argc, argv);
        if (isWord(argument, "--verify-replay"))
            takeValue(options.verifyReplayGiven, options.verifyReplayFile, i, argc, argv);
        if (isWord(argument, "--daily")) {
            options.dailyGiven = true;
            const bool dated = i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0;
            options.dailyDate = dated ? argv[i + 1] : "";
        }
        if (isWord(argument, "--ghost"))
            takeValue(options.ghostGiven, options.ghostFile, i, argc, argv);
        if (isWord(argument, "--export-video"))
            takeExport(options, i, argc, argv);
        if (isWord(argument, "--size"))
            takeVideoSize(options, i, argc, argv);
        if (isWord(argument, "--audio-log"))
            options.audioLog = true;
        if (isWord(argument, "--quality"))
            takeQuality(options, i, argc, argv);
        if (isWord(argument, "--crash-at-tick") && i + 1 < argc && !parseNumber(argv[i + 1], options.crashAtTick))
            options.crashAtTick = 0;
        if (isWord(argument, "--help"))
            options.helpRequested = true;
        if (isWord(argument, "--version"))
            options.versionRequested = true;
    }
}

const char* commandLineHelp()
{
    return "Usage: zarnok [option]...\n"
           "A first-person endless runner over a floor of cubes that drop once touched.\n"
           "\n"
           "Options:\n"
           "  --run_headless          render one frame, save it as a screenshot and quit\n"
           "  --filename NAME         the screenshot is written to NAME.ppm (default screenshot.ppm)\n"
           "  --init_camera FILE      load the camera settings from FILE (an asset path); the camera keeps its own\n"
           "                          fixed values, so the file is only checked\n"
           "  --init_renderer FILE    read the renderer settings from FILE instead of renderer_standard.ini\n"
           "  --seed N                build the track from seed N (0 to 4294967295): the same N, the same track\n"
           "  --benchmark N           play N frames with no input and a fixed frame time, then print their timing\n"
           "  --benchmark-empty N     the same frames drawing only the clear, the composite and the swap\n"
           "  --quality Q             graphics preset for this run: low, medium or high (benchmarks: high)\n"
           "  --replay FILE           play a recorded run back (Escape pauses, Q quits)\n"
           "  --verify-replay FILE    re-simulate a recorded run without a window; exit 0 if it ends the same\n"
           "  --audio-log             with --verify-replay: print every sound with its tick\n"
           "  --daily [DATE]          play the daily run of today (UTC) or of DATE, written YYYY-MM-DD\n"
           "  --ghost FILE            play the track of a recorded run, racing it as a ghost\n"
           "  --export-video REPLAY OUT\n"
           "                          make a video of a recorded run without a window: OUT ends in .mp4 or .webm,\n"
           "                          and the ffmpeg program encodes it\n"
           "  --size WxH              the exported video's size (default 1280x720); --quality sets its preset\n"
           "  --help                  print this help and quit\n"
           "  --version               print the version and quit\n"
           "\n"
           "Controls:\n"
           "  mouse                   look around\n"
           "  mouse wheel             running speed (up: slower, down: faster)\n"
           "  W, A, S, D              run faster, sidestep left, run slower, sidestep right\n"
           "  Space                   jump\n"
           "  Escape                  pause and resume\n"
           "  O                       the options, from the pause screen\n"
           "  F11, Alt+Enter          fullscreen on and off\n"
           "  Q                       quit, from the pause or game-over screen\n"
           "  R                       play again, from the game-over screen; race a run, from the high scores\n"
           "  Tab                     the ten best and the daily runs, on the high scores\n"
           "  B                       watch the best run, from the game-over screen\n"
           "  2                       drop every cube on the track\n"
           "  M                       sound off and on\n"
           "  F1, F2, N, T            wireframe, back-face culling, normals, texture coordinates\n"
           "The action keys can be changed on the options screen; a gamepad plays too.\n";
}
