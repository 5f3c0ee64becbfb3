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
    if (options.seedGiven)
        cubeRandom.seed(options.seed);
    Game game(std::move(options));
    return game.run();
}
