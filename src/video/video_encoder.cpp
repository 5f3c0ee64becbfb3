#include "video_encoder.h"

#include <system_error>
#include <utility>

namespace {

// Frames drawn ahead of the encoder, each a few megabytes: enough to keep both busy.
constexpr size_t kQueuedFrames = 3;

std::string lowerCase(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

} // namespace

std::optional<VideoFormat> videoFormatOf(const std::filesystem::path& file)
{
    const std::string ending = lowerCase(file.extension().string());
    if (ending == ".mp4")
        return VideoFormat::Mp4;
    if (ending == ".webm")
        return VideoFormat::WebM;
    return std::nullopt;
}

std::vector<std::string> encoderArguments(const VideoStreams& streams, const std::string& soundInput,
                                          const std::filesystem::path& file)
{
    const std::string size = std::to_string(streams.width) + "x" + std::to_string(streams.height);
    std::vector<std::string> arguments = {"-hide_banner", "-nostdin", "-loglevel", "error", "-y",
                                          // Both streams say all there is to know of them: ffmpeg must not read seconds
                                          // ahead in one to find out, while the other waits for it to read on.
                                          "-f", "rawvideo", "-pix_fmt", "rgba", "-s", size, "-framerate",
                                          std::to_string(streams.framesPerSecond), "-probesize", "32",
                                          "-analyzeduration", "0", "-thread_queue_size", "8", "-i", "pipe:0", "-f",
                                          "f32le", "-ar", std::to_string(streams.soundRate), "-ac", "2", "-probesize",
                                          "32", "-analyzeduration", "0", "-thread_queue_size", "1024", "-i", soundInput,
                                          // OpenGL reads rows from the bottom up.
                                          "-vf", "vflip", "-pix_fmt", "yuv420p", "-ar", "48000"};
    const std::vector<std::string> codecs =
        streams.format == VideoFormat::Mp4
            ? std::vector<std::string>{"-c:v", "libx264", "-preset",   streams.quickest ? "ultrafast" : "veryfast",
                                       "-crf", "20",      "-c:a",      "aac",
                                       "-b:a", "160k",    "-movflags", "+faststart",
                                       "-f",   "mp4"}
            : std::vector<std::string>{"-c:v",    "libvpx-vp9", "-deadline", "realtime", "-cpu-used", "8",
                                       "-row-mt", "1",          "-crf",      "32",       "-b:v",      "0",
                                       "-c:a",    "libopus",    "-b:a",      "128k",     "-f",        "webm"};
    arguments.insert(arguments.end(), codecs.begin(), codecs.end());
    arguments.push_back(file.string());
    return arguments;
}

std::unique_ptr<VideoEncoder> VideoEncoder::start(const std::string& program, const VideoStreams& streams,
                                                  const std::filesystem::path& file, std::string& error)
{
    std::filesystem::path part = file;
    part += ".part";
    std::unique_ptr<EncoderProcess> process =
        EncoderProcess::start(program, encoderArguments(streams, EncoderProcess::soundInputName(), part), error);
    if (!process)
        return nullptr;
    return std::unique_ptr<VideoEncoder>(new VideoEncoder(std::move(process), file, std::move(part)));
}

VideoEncoder::VideoEncoder(std::unique_ptr<EncoderProcess> encoder, std::filesystem::path file,
                           std::filesystem::path part)
    : process(std::move(encoder)), finalFile(std::move(file)), partFile(std::move(part))
{
    frameWriter = std::thread(&VideoEncoder::writeFrames, this);
    soundWriter = std::thread(&VideoEncoder::writeSound, this);
    messageReader = std::thread(&VideoEncoder::readMessages, this);
}

VideoEncoder::~VideoEncoder()
{
    if (!done)
        abandon();
}

bool VideoEncoder::add(std::vector<std::uint8_t> pixels, std::vector<float> samples)
{
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return failed || frames.size() < kQueuedFrames; });
    if (failed)
        return false;
    frames.push_back(std::move(pixels));
    sound.push_back(std::move(samples));
    changed.notify_all();
    return true;
}

std::vector<std::uint8_t> VideoEncoder::spareFrame()
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (spares.empty())
        return {};
    std::vector<std::uint8_t> spare = std::move(spares.back());
    spares.pop_back();
    return spare;
}

void VideoEncoder::writeFrames()
{
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        changed.wait(lock, [&] { return failed || ending || !frames.empty(); });
        if (failed || frames.empty())
            break;
        std::vector<std::uint8_t> frame = std::move(frames.front());
        frames.pop_front();
        changed.notify_all();
        lock.unlock();
        const bool written = process->writeFrames(frame.data(), frame.size());
        lock.lock();
        spares.push_back(std::move(frame));
        if (!written) {
            failed = true;
            changed.notify_all();
        }
    }
    lock.unlock();
    process->closeFrames();
}

void VideoEncoder::writeSound()
{
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        changed.wait(lock, [&] { return failed || ending || !sound.empty(); });
        if (failed || sound.empty())
            break;
        std::vector<float> samples = std::move(sound.front());
        sound.pop_front();
        lock.unlock();
        const bool written = process->writeSound(samples.data(), samples.size() * sizeof(float));
        lock.lock();
        if (!written) {
            failed = true;
            changed.notify_all();
        }
    }
    lock.unlock();
    process->closeSound();
}

void VideoEncoder::readMessages()
{
    while (std::optional<std::string> line = process->readMessage()) {
        const std::lock_guard<std::mutex> lock(mutex);
        if (!line->empty())
            message = *line;
    }
}

void VideoEncoder::endStreams()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        ending = true;
        changed.notify_all();
    }
    frameWriter.join();
    soundWriter.join();
}

std::string VideoEncoder::lastMessage()
{
    const std::lock_guard<std::mutex> lock(mutex);
    return message;
}

bool VideoEncoder::finish(std::string& error)
{
    endStreams();
    const int status = process->wait();
    messageReader.join();
    done = true;
    std::error_code ignored;
    if (status != 0 || failed) {
        const std::string said = lastMessage();
        error = said.empty() ? "ffmpeg ended with status " + std::to_string(status) : "ffmpeg said: " + said;
        std::filesystem::remove(partFile, ignored);
        return false;
    }
    std::error_code renamed;
    std::filesystem::rename(partFile, finalFile, renamed);
    if (renamed) {
        error = "it could not be given its name: " + renamed.message();
        std::filesystem::remove(partFile, ignored);
        return false;
    }
    return true;
}

void VideoEncoder::abandon()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        failed = true;
        changed.notify_all();
    }
    // Killed first, so that writes it would never read end.
    process->kill();
    endStreams();
    process->wait();
    messageReader.join();
    done = true;
    std::error_code ignored;
    std::filesystem::remove(partFile, ignored);
}
