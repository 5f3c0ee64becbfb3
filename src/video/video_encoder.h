#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "encoder_process.h"

enum class VideoFormat { Mp4, WebM };

// The format a video's file name asks for: .mp4 (H.264 and AAC) or .webm (VP9 and Opus).
std::optional<VideoFormat> videoFormatOf(const std::filesystem::path& file);

struct VideoStreams {
    int width = 1280;
    int height = 720;
    int framesPerSecond = 60;
    int soundRate = 22050; // of the stereo float samples handed in
    VideoFormat format = VideoFormat::Mp4;
    // The encoder's quickest settings, for a machine that draws slowly: a larger file.
    bool quickest = false;
};

// ffmpeg's arguments: raw frames on its standard input (RGBA, bottom row first), raw sound from
// `soundInput`, the video written to `file`.
std::vector<std::string> encoderArguments(const VideoStreams& streams, const std::string& soundInput,
                                          const std::filesystem::path& file);

// A video being encoded by ffmpeg. The frames and their sound are written to it by two threads of
// its own, so drawing the next frame goes on meanwhile. The video is written under a temporary
// name beside its own, and has its name only once the encoder has finished it: whatever else ends
// the export leaves no file behind.
class VideoEncoder {
public:
    // Nothing, and `error` says why, if `program` cannot be started.
    static std::unique_ptr<VideoEncoder> start(const std::string& program, const VideoStreams& streams,
                                               const std::filesystem::path& file, std::string& error);
    // Abandons the video unless it was finished.
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // One frame's pixels and its sound (stereo, interleaved). Waits while a few frames are still
    // to be written; false once the encoder has failed.
    bool add(std::vector<std::uint8_t> pixels, std::vector<float> sound);
    // A written frame's buffer, for the next frame's pixels, so frames need no new memory.
    std::vector<std::uint8_t> spareFrame();
    // The streams end; once the encoder has finished, the video takes its name. False, and
    // `error` says why, if it failed: then nothing is left.
    bool finish(std::string& error);
    // Stops the encoder at once and leaves nothing.
    void abandon();

    const std::filesystem::path& temporaryFile() const { return partFile; }

private:
    VideoEncoder(std::unique_ptr<EncoderProcess> process, std::filesystem::path file, std::filesystem::path part);
    void writeFrames();
    void writeSound();
    void readMessages();
    void endStreams();
    std::string lastMessage();

    std::unique_ptr<EncoderProcess> process;
    std::filesystem::path finalFile;
    std::filesystem::path partFile;

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::vector<std::uint8_t>> frames;
    std::deque<std::vector<float>> sound;
    std::vector<std::vector<std::uint8_t>> spares;
    std::string message; // the encoder's last line of messages
    bool ending = false;
    bool failed = false;
    bool done = false;

    std::thread frameWriter;
    std::thread soundWriter;
    std::thread messageReader;
};
