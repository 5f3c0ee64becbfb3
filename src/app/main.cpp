#include <cstdio>
#include <string>

#include "console.h"
#include "cube.h"
#include "game.h"
#include "scene_resources.h"
#include "startup_options.h"

int main(int argc, char** argv)
{
    prepareProgramData();
    printLine(":::::: WELCOME TO ZARNOK 2023 ::::::");
    StartupOptions options;
    parseCommandLine(options, argc, argv);
    // Both answer without a window, so they work with no display at all.
    if (options.helpRequested) {
        std::fputs(commandLineHelp(), stdout);
        return 0;
    }
    if (options.versionRequested) {
        printLine(std::string("zarnok ") + ZARNOK_VERSION);
        return 0;
    }
    // A benchmark plays the same track every time unless told otherwise.
    constexpr std::uint32_t kBenchmarkSeed = 326;
    if (options.seedGiven)
        cubeRandom.seed(options.seed);
    else if (options.benchmarkFrames > 0)
        cubeRandom.seed(kBenchmarkSeed);
    Game game(std::move(options));
    return game.run();
}
