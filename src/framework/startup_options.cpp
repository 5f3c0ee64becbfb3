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
    }
}
