#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

// The rate every sound of the game is stored and mixed at, in samples a second.
inline constexpr int kMixerRate = 22050;

// A sound as the mixer plays it: mono samples at kMixerRate, from -1 to 1.
struct Sound {
    std::vector<float> samples;
};

// The game's own mixer: voices with a gain, a stereo pan and a playback rate, an effects bus and a
// music bus with a looping track, and the master, music and effects volumes. The game's thread
// asks for sounds through a queue that never blocks; the audio thread takes them from it at the
// start of each block it renders. No call of the game's ever waits for the audio.
class Mixer {
public:
    // `sounds` are played by their index; they stay as they are for the mixer's life.
    explicit Mixer(std::vector<Sound> sounds);

    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // On the game's thread. A sound asked for while the queue is full is dropped.
    // An effect: `gain` from 0 to 1, `pan` from -1 (left) to 1 (right), `rate` 1 for the sound as
    // stored (2 plays it an octave higher).
    void play(int sound, float gain, float pan, float rate);
    // Starts `sound` from its beginning as the music, looping; -1 stops the music.
    void startMusic(int sound);
    // How loud the music plays: 1 normally, less to lie under a pause screen, 0 for silence.
    void setMusicLevel(float level);
    // The player's volumes, each from 0 to 1.
    void setVolumes(float master, float music, float effects);

    // On the audio thread: the next `frames` stereo frames, left and right interleaved.
    void render(float* stereo, int frames);

    static constexpr int kVoices = 32;

private:
    enum class CommandKind : std::uint8_t { Play, StartMusic, MusicLevel, Volumes };
    struct Command {
        CommandKind kind = CommandKind::Play;
        int sound = 0;
        float values[3] = {}; // gain, pan, rate; or the level; or the three volumes
    };
    struct Voice {
        const Sound* sound = nullptr; // none: the voice is free
        double position = 0.0;
        float rate = 1.0f;
        float left = 0.0f;
        float right = 0.0f;
    };
    // Levels glide to their targets within a few milliseconds, so a change never clicks.
    struct Level {
        float now = 0.0f;
        float target = 0.0f;
        float step() { return now += (target - now) * 0.005f; }
    };

    void push(const Command& command);
    void takeCommands();
    void apply(const Command& command);
    static float sampleAt(const Sound& sound, double position, bool looping);

    std::vector<Sound> sounds;
    // One writer (the game) and one reader (the audio thread): indices only ever grow.
    static constexpr std::uint32_t kQueueSize = 256;
    std::array<Command, kQueueSize> queue;
    std::atomic<std::uint32_t> written{0};
    std::atomic<std::uint32_t> read{0};

    std::array<Voice, kVoices> voices;
    Voice music;
    Level master;
    Level musicVolume;
    Level effectsVolume;
    Level musicLevel;
};
