#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The encoder as a separate program (ffmpeg): started with one pipe for the frames (its standard
// input), one for the sound and one for its messages. It runs in a process group of its own, so a
// Ctrl+C in the terminal reaches the game alone, which then decides what becomes of the encoder.
class EncoderProcess {
public:
    // The full path of `program` on the PATH, if it is there.
    static std::optional<std::string> find(const std::string& program);
    // How the encoder names its sound input: add it to the arguments as the sound's file name.
    static std::string soundInputName();

    // Starts `path` with `arguments`; nothing, and `error` says why, if it cannot start.
    static std::unique_ptr<EncoderProcess> start(const std::string& path, const std::vector<std::string>& arguments,
                                                 std::string& error);
    ~EncoderProcess();
    EncoderProcess(const EncoderProcess&) = delete;
    EncoderProcess& operator=(const EncoderProcess&) = delete;

    // Each blocks until the encoder has taken all the bytes; false once it can take no more.
    bool writeFrames(const void* bytes, size_t size);
    bool writeSound(const void* bytes, size_t size);
    // The end of each stream.
    void closeFrames();
    void closeSound();
    // The encoder's next line of messages; nothing once it has closed them (it has ended).
    std::optional<std::string> readMessage();
    // Waits for the encoder to end, and gives its exit status (-1: killed or lost).
    int wait();
    // Ends it at once.
    void kill();

private:
    struct Handles;
    explicit EncoderProcess(std::unique_ptr<Handles> handles);
    // Some of the encoder's message bytes, waiting for them; 0 once it has closed them.
    size_t readMessageBytes(char* buffer, size_t size);
    std::unique_ptr<Handles> handles;
};
