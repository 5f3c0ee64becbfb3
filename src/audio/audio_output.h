#pragma once

#include <memory>

class Mixer;

// The sound card, through SDL's audio (SDL plays no other part in the game): a stereo stream that
// `mixer` fills on SDL's audio thread. It exists only while a device is open.
class AudioOutput {
public:
    // Opens the system's default device. Where none opens (a server, a CI machine, a Wine prefix
    // without sound) it says so in one line and returns nothing, and the game plays on silently.
    static std::unique_ptr<AudioOutput> open(Mixer& mixer);
    ~AudioOutput();

    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

private:
    explicit AudioOutput(unsigned device) : device(device) {}

    unsigned device;
};
