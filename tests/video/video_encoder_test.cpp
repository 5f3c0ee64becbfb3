#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "temp_dir.h"
#include "video_encoder.h"

namespace {

namespace fs = std::filesystem;

// A stand-in for ffmpeg, a shell script whose body is given; "$out" is the file it is told to
// write, its last argument.
std::string encoder(const fs::path& folder, const std::string& body)
{
    const fs::path script = folder / "encoder";
    std::ofstream(script) << "#!/bin/sh\nfor out; do :; done\n" << body;
    fs::permissions(script, fs::perms::owner_all);
    return script.string();
}

std::string contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

VideoStreams tinyStreams()
{
    VideoStreams streams;
    streams.width = 4;
    streams.height = 2;
    return streams;
}

} // namespace

// Every frame and every sound reach the encoder whole and in order, each on its own pipe; the
// video has its name only once the encoder has finished it.
TEST(VideoEncoder, HandsOverEveryFrameAndSoundAndNamesTheVideoOnlyOnceFinished)
{
    TempDir folder;
    const std::string program = encoder(folder.path(), "cat <&3 > \"$out.sound\" &\ncat > \"$out.frames\"\nwait\n"
                                                       "cat \"$out.frames\" \"$out.sound\" > \"$out\"\n");
    std::string error;
    std::unique_ptr<VideoEncoder> video = VideoEncoder::start(program, tinyStreams(), folder / "run.mp4", error);
    ASSERT_TRUE(video) << error;
    std::string frames;
    std::string sound;
    for (int n = 0; n < 20; ++n) {
        std::vector<std::uint8_t> pixels = video->spareFrame();
        pixels.assign(32, static_cast<std::uint8_t>('a' + n));
        frames.append(pixels.begin(), pixels.end());
        const std::vector<float> samples(2, static_cast<float>(n));
        sound.append(reinterpret_cast<const char*>(samples.data()), samples.size() * sizeof(float));
        ASSERT_TRUE(video->add(std::move(pixels), samples));
    }
    EXPECT_FALSE(fs::exists(folder / "run.mp4"));
    ASSERT_TRUE(video->finish(error)) << error;
    EXPECT_EQ(contents(folder / "run.mp4"), frames + sound);
    EXPECT_FALSE(fs::exists(folder / "run.mp4.part"));
}

// An encoder that fails halfway, one abandoned while it works, and one that cannot start: each
// says why, leaves no file and never hangs the game.
TEST(VideoEncoder, LeavesNoFileWhenTheEncoderFailsOrIsAbandoned)
{
    TempDir folder;
    std::string error;
    std::unique_ptr<VideoEncoder> failing = VideoEncoder::start(
        encoder(folder.path(), "head -c 1000 > \"$out\"\necho 'Disk full' >&2\necho 'No space left on device' >&2\n"
                               "exit 1\n"),
        tinyStreams(), folder / "run.mp4", error);
    ASSERT_TRUE(failing) << error;
    bool refused = false;
    for (int n = 0; n < 1000 && !refused; ++n)
        refused = !failing->add(std::vector<std::uint8_t>(65536, 1), std::vector<float>(1024, 0.5f));
    EXPECT_TRUE(refused);
    EXPECT_FALSE(failing->finish(error));
    EXPECT_EQ(error, "ffmpeg said: No space left on device");
    EXPECT_FALSE(fs::exists(folder / "run.mp4"));
    EXPECT_FALSE(fs::exists(folder / "run.mp4.part"));

    std::unique_ptr<VideoEncoder> abandoned =
        VideoEncoder::start(encoder(folder.path(), "exec cat > \"$out\"\n"), tinyStreams(), folder / "run.mp4", error);
    ASSERT_TRUE(abandoned) << error;
    ASSERT_TRUE(abandoned->add(std::vector<std::uint8_t>(32, 1), std::vector<float>(2, 0.0f)));
    abandoned->abandon();
    EXPECT_FALSE(fs::exists(folder / "run.mp4.part"));
    EXPECT_FALSE(fs::exists(folder / "run.mp4"));

    EXPECT_FALSE(VideoEncoder::start((folder / "none").string(), tinyStreams(), folder / "run.mp4", error));
    EXPECT_EQ(error, "No such file or directory");
}
