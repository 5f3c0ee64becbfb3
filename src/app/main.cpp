#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "console.h"
#include "daily_run.h"
#include "dates.h"
#include "encoder_process.h"
#include "game.h"
#include "replay_files.h"
#include "scene_resources.h"
#include "startup_options.h"
#include "user_data.h"
#include "verify_replay.h"
#include "video_encoder.h"

namespace {

// The daily run's date, settled and said before anything opens; a date that is none is refused.
bool settleDaily(StartupOptions& options)
{
    if (!options.dailyGiven)
        return true;
    const std::string asked = options.dailyDate.empty() ? utcDate() : options.dailyDate;
    const std::optional<std::string> date = dailyDate(asked);
    if (!date) {
        printLine("Cannot play the daily run of '" + asked + "': that is not a day written YYYY-MM-DD.");
        return false;
    }
    options.dailyDate = *date;
    printLine("Daily run " + *date + ": seed " + std::to_string(dailySeed(*date)) + ".");
    if (options.ghostGiven) {
        printLine("Ignoring --ghost: the daily run races the day's best.");
        options.ghostGiven = false;
    }
    return true;
}

// The replay a command-line option names; a file that cannot be used ends the game with `what`.
std::optional<Replay> replayOption(const std::string& file, const char* what, bool& failed)
{
    std::string error;
    std::optional<Replay> replay = loadReplay(file, error);
    if (!replay) {
        printLine(std::string("Cannot ") + what + " '" + file + "': " + error + ".");
        failed = true;
    }
    return replay;
}

// A player's session keeps a log of its console lines; --help and --version, --verify-replay, a
// headless frame, a benchmark and a video keep none.
void startSessionLog(const StartupOptions& options)
{
    const bool players = !options.helpRequested && !options.versionRequested && !options.verifyReplayGiven &&
                         !options.runHeadless && options.benchmarkFrames == 0 && !options.exportVideoGiven;
    const std::filesystem::path folder = userStateFolder();
    if (!players || folder.empty()) {
        keepNoLog();
        return;
    }
    const std::filesystem::path file = folder / "zarnok.log";
    std::string error;
    if (!startLog(file, error))
        printLine("Cannot keep a log in '" + file.string() + "': " + error + ". The game plays on.");
}

// A video needs a name that says its format, and the ffmpeg program to encode it.
bool canExport(const StartupOptions& options)
{
    if (!videoFormatOf(options.exportVideoFile)) {
        printLine("Cannot export to '" + options.exportVideoFile + "': a video's name ends in .mp4 or .webm.");
        return false;
    }
    if (!EncoderProcess::find("ffmpeg")) {
        printLine("Cannot export a video: the ffmpeg program is not on the PATH. Install it (on Debian or Ubuntu: "
                  "sudo apt install ffmpeg), or on Windows put the folder of ffmpeg.exe on the PATH.");
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    prepareProgramData();
    printLine(":::::: WELCOME TO ZARNOK 2023 ::::::");
    StartupOptions options;
    parseCommandLine(options, argc, argv);
    startSessionLog(options);
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
    if (!settleDaily(options))
        return 1;
    if (options.exportVideoGiven && !canExport(options))
        return 1;
    bool failed = false;
    std::optional<Replay> replay, ghost;
    if (options.exportVideoGiven)
        replay = replayOption(options.exportReplayFile, "export the replay", failed);
    else if (options.replayGiven)
        replay = replayOption(options.replayFile, "use the replay", failed);
    if (options.ghostGiven && (!options.replayGiven || options.exportVideoGiven))
        ghost = replayOption(options.ghostFile, "race the replay", failed);
    if (failed)
        return 1;
    return std::make_shared<Game>(std::move(options), std::move(replay), std::move(ghost))->run();
}
