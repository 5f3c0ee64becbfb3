#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>

#include "game_tree.h"
#include "process.h"
#include "temp_dir.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

const std::string kReplays = std::string(ZARNOK_SOURCE_DIR) + "/tests/data/replays/";
const std::string kUntouched = kReplays + "untouched-seed7.replay"; // 172 ticks
const std::string kPlayed = kReplays + "played-on-linux.replay";    // 1419 ticks

ProcessResult exportVideo(const std::string& replay, const fs::path& video, std::vector<std::string> options = {},
                          const ProcessOptions& process = {})
{
    std::vector<std::string> command{builtGameBinary().string()};
    command.insert(command.end(), options.begin(), options.end());
    command.insert(command.end(), {"--export-video", replay, video.string()});
    return runProcess(command, process, 300s);
}

// One value a line, of the stream asked for.
std::vector<std::string> probe(const fs::path& video, const std::string& stream, const std::string& entries)
{
    return splitLines(commandOutput({"ffprobe", "-v", "error", "-count_frames", "-select_streams", stream,
                                     "-show_entries", entries, "-of", "default=nw=1:nk=1", video.string()},
                                    120s));
}

// The number ffmpeg writes after `key` on standard error, running `filters` on the inputs.
double ffmpegFigure(const std::vector<std::string>& arguments, const std::string& key)
{
    std::vector<std::string> command{"ffmpeg", "-hide_banner"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    command.insert(command.end(), {"-f", "null", "-"});
    const ProcessResult run = runProcess(command, {}, 120s);
    const size_t at = run.err.rfind(key);
    return at == std::string::npos ? std::nan("") : std::stod(run.err.substr(at + key.size()));
}

std::string decodedFrames(const fs::path& video)
{
    return commandOutput({"ffmpeg", "-v", "error", "-i", video.string(), "-map", "0:v", "-f", "framemd5", "-"}, 120s);
}

std::vector<fs::path> filesIn(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        files.push_back(entry.path().filename());
    return files;
}

} // namespace

// A replay of 172 ticks makes 173 frames at 60 a second, tick 0 first, as the game's own first
// frame shows it; the sound is as long and is heard. Another export decodes to the same frames,
// and the same run goes to WebM as well.
TEST(VideoExport, AReplayBecomesAVideoOfItsTicksWithItsSoundTheSameEveryTime)
{
    TempDir folder;
    const ProcessResult full = exportVideo(kUntouched, folder / "full.mp4", {"--size", "1280x768"});
    ASSERT_EQ(full.exitCode, 0) << full.out;
    EXPECT_NE(full.out.find("Video written to '" + (folder / "full.mp4").string() + "': 173 frames (0:03)"),
              std::string::npos)
        << full.out;
    EXPECT_EQ(probe(folder / "full.mp4", "v:0", "stream=codec_name,r_frame_rate,width,height,nb_read_frames"),
              (std::vector<std::string>{"h264", "1280", "768", "60/1", "173"}));
    const std::vector<std::string> videoLength = probe(folder / "full.mp4", "v:0", "stream=duration");
    const std::vector<std::string> soundLength = probe(folder / "full.mp4", "a:0", "stream=codec_name,duration");
    ASSERT_EQ(soundLength.size(), 2u);
    EXPECT_EQ(soundLength[0], "aac");
    EXPECT_NEAR(std::stod(soundLength[1]), std::stod(videoLength.at(0)), 0.05);
    EXPECT_GT(
        ffmpegFigure({"-i", (folder / "full.mp4").string(), "-map", "0:a", "-af", "volumedetect"}, "max_volume: "),
        -30.0);

    const ProcessResult shot = runProcess(
        {builtGameBinary().string(), "--run_headless", "--seed", "7", "--filename", (folder / "first").string()});
    ASSERT_EQ(shot.exitCode, 0) << shot.out;
    EXPECT_GE(ffmpegFigure({"-i", (folder / "full.mp4").string(), "-i", (folder / "first.ppm").string(), "-lavfi",
                            "[0:v]trim=end_frame=1[first];[first][1:v]psnr"},
                           "average:"),
              35.0);

    // A played run, at a small size and low, twice.
    for (const char* name : {"once.mp4", "again.mp4"}) {
        const ProcessResult small = exportVideo(kPlayed, folder / name, {"--size", "320x192", "--quality", "low"});
        ASSERT_EQ(small.exitCode, 0) << small.out;
    }
    const std::string once = decodedFrames(folder / "once.mp4");
    const std::vector<std::string> lines = splitLines(once);
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(), [](const std::string& line) { return line.rfind('#', 0) != 0; }),
        1420);
    EXPECT_EQ(once, decodedFrames(folder / "again.mp4"));

    const ProcessResult webm = exportVideo(kUntouched, folder / "small.webm", {"--size", "320x192"});
    ASSERT_EQ(webm.exitCode, 0) << webm.out;
    EXPECT_EQ(probe(folder / "small.webm", "v:0", "stream=codec_name,nb_read_frames"),
              (std::vector<std::string>{"vp9", "173"}));
    EXPECT_EQ(probe(folder / "small.webm", "a:0", "stream=codec_name"), std::vector<std::string>{"opus"});
}

// Without ffmpeg, stopped by Ctrl+C halfway, or with an encoder that fails halfway (as on a full
// disk), an export says so in a line, ends with status 1 and leaves no file behind.
TEST(VideoExport, LeavesNothingHalfDone)
{
    TempDir folder;
    const fs::path video = folder / "out" / "run.mp4";
    fs::create_directories(folder / "out");
    fs::create_directories(folder / "nothing");
    ProcessOptions noFfmpeg;
    noFfmpeg.environment["PATH"] = (folder / "nothing").string();
    const ProcessResult missing = exportVideo(kUntouched, video, {}, noFfmpeg);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(splitLines(missing.out).back(),
              "Cannot export a video: the ffmpeg program is not on the PATH. Install it (on Debian or Ubuntu: sudo "
              "apt install ffmpeg), or on Windows put the folder of ffmpeg.exe on the PATH.");

    {
        ChildProcess game({builtGameBinary().string(), "--size", "640x384", "--export-video", kPlayed, video.string()});
        ASSERT_FALSE(game.waitForLine("Exported 50%").empty()) << game.outputSoFar();
        ASSERT_EQ(kill(game.id(), SIGINT), 0);
        const ProcessResult stopped = game.wait(60s);
        EXPECT_EQ(stopped.exitCode, 1);
        EXPECT_EQ(splitLines(stopped.out).back(), "Export stopped: no video was written to '" + video.string() + "'.");
    }
    EXPECT_TRUE(filesIn(folder / "out").empty());

    // Takes a few frames, writes part of the file, and gives up.
    const fs::path failing = folder / "failing" / "ffmpeg";
    fs::create_directories(failing.parent_path());
    std::ofstream(failing) << "#!/bin/sh\nfor last; do :; done\nhead -c 20000000 > \"$last\"\n"
                              "echo 'av_interleaved_write_frame(): No space left on device' >&2\nexit 1\n";
    fs::permissions(failing, fs::perms::owner_all);
    ProcessOptions fullDisk;
    fullDisk.environment["PATH"] = failing.parent_path().string() + ":/usr/bin:/bin";
    const ProcessResult failed = exportVideo(kPlayed, video, {"--size", "640x384"}, fullDisk);
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(splitLines(failed.out).back(), "The video could not be written to '" + video.string() +
                                                 "': ffmpeg said: av_interleaved_write_frame(): No space left on "
                                                 "device.");
    EXPECT_TRUE(filesIn(folder / "out").empty());
}
