#include "startup_options.h"

#include <cstring>

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
    }
}
