#include <cstdio>
#include <string>

#include "console.h"
#include "game.h"
#include "replay_files.h"
#include "scene_resources.h"
#include "startup_options.h"
#include "verify_replay.h"

int main(int argc, char** argv)
{
    prepareProgramData();
    printLine(":::::: WELCOME TO ZARNOK 2023 ::::::");
    StartupOptions options;
    parseCommandLine(options, argc, argv);
    // These answer without a window, so they work with no display at all.
    if (options.helpRequested) {
        std::fputs(commandLineHelp(), stdout);
        return 0;
    }
    if (options.versionRequested) {
        printLine(std::string("zarnok ") + ZARNOK_VERSION);
        printLine("Copyright (c) 2026 The ZARNOK 2023 developers. Free software under the MIT licence.");
        return 0;
    }
    if (options.verifyReplayGiven)
        return verifyReplay(options.verifyReplayFile, options.audioLog);
    std::optional<Replay> replay;
    if (options.replayGiven) {
        std::string error;
        replay = loadReplay(options.replayFile, error);
        if (!replay) {
            printLine("Cannot use the replay '" + options.replayFile + "': " + error + ".");
            return 1;
        }
    }
    Game game(std::move(options), std::move(replay));
    return game.run();
}
