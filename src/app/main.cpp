#include "console.h"
#include "game.h"
#include "scene_resources.h"
#include "startup_options.h"

int main(int argc, char** argv)
{
    prepareProgramData();
    printLine(":::::: WELCOME TO ZARNOK 2023 ::::::");
    StartupOptions options;
    parseCommandLine(options, argc, argv);
    Game game(std::move(options));
    return game.run();
}
