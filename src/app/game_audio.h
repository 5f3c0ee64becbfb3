#pragma once

#include <memory>
#include <optional>

#include "audio_output.h"
#include "mixer.h"
#include "player_options.h"
#include "run_sounds.h"

// The game's sound: its mixer on the system's audio device, where there is one. Without a device
// (and before start) it plays nothing, and the game plays on.
class GameAudio {
public:
    GameAudio() = default;
    GameAudio(const GameAudio&) = delete;
    GameAudio& operator=(const GameAudio&) = delete;
    ~GameAudio() { stop(); }

    // Loads the game's sounds and opens the device.
    void start();
    // Loads the game's sounds for a mixer with no device: render() takes its samples.
    void startOffline();
    // Without a device: the next `frames` stereo frames, left and right interleaved.
    void render(float* stereo, int frames);
    // The audio thread stops before the mixer it reads goes.
    void stop();

    void play(const SoundCue& cue);
    // The music loop, from its start.
    void startMusic();
    // The music's level for the screen shown, and the volumes (none while muted), told to the
    // mixer when they change.
    void follow(float musicLevel, bool muted, const AudioOptions& volumes);

private:
    std::unique_ptr<Mixer> mixer; // only while a device plays it, or offline
    std::unique_ptr<AudioOutput> output;
    float toldMusicLevel = -1.0f;
    std::optional<bool> toldMuted;
    AudioOptions toldVolumes;
};
