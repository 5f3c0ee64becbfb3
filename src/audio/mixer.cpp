#include "mixer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

Mixer::Mixer(std::vector<Sound> mixedSounds) : sounds(std::move(mixedSounds))
{
    for (Level* level : {&master, &musicVolume, &effectsVolume, &musicLevel})
        level->now = level->target = 1.0f;
}

void Mixer::push(const Command& command)
{
    const std::uint32_t at = written.load(std::memory_order_relaxed);
    if (at - read.load(std::memory_order_acquire) == kQueueSize)
        return;
    queue[at % kQueueSize] = command;
    written.store(at + 1, std::memory_order_release);
}

void Mixer::play(int sound, float gain, float pan, float rate)
{
    Command command;
    command.kind = CommandKind::Play;
    command.sound = sound;
    command.values[0] = gain;
    command.values[1] = pan;
    command.values[2] = rate;
    push(command);
}

void Mixer::startMusic(int sound)
{
    Command command;
    command.kind = CommandKind::StartMusic;
    command.sound = sound;
    push(command);
}

void Mixer::setMusicLevel(float level)
{
    Command command;
    command.kind = CommandKind::MusicLevel;
    command.values[0] = level;
    push(command);
}

void Mixer::setVolumes(float masterVolume, float musicVolumeNow, float effectsVolumeNow)
{
    Command command;
    command.kind = CommandKind::Volumes;
    command.values[0] = masterVolume;
    command.values[1] = musicVolumeNow;
    command.values[2] = effectsVolumeNow;
    push(command);
}

void Mixer::takeCommands()
{
    const std::uint32_t end = written.load(std::memory_order_acquire);
    for (std::uint32_t at = read.load(std::memory_order_relaxed); at != end; ++at) {
        apply(queue[at % kQueueSize]);
        read.store(at + 1, std::memory_order_release);
    }
}

namespace {

bool known(int sound, size_t count)
{
    return sound >= 0 && static_cast<size_t>(sound) < count;
}

float unit(float value)
{
    return std::isfinite(value) ? std::clamp(value, 0.0f, 1.0f) : 0.0f;
}

} // namespace

void Mixer::apply(const Command& command)
{
    switch (command.kind) {
    case CommandKind::Play: {
        if (!known(command.sound, sounds.size()) || sounds[command.sound].samples.empty())
            return;
        // A new sound takes a free voice; when all are busy it is not heard.
        const auto free = std::find_if(voices.begin(), voices.end(), [](const Voice& v) { return !v.sound; });
        if (free == voices.end())
            return;
        const float gain = unit(command.values[0]);
        const float pan = std::isfinite(command.values[1]) ? std::clamp(command.values[1], -1.0f, 1.0f) : 0.0f;
        const float rate = command.values[2];
        // Equal power: a sound keeps its loudness wherever it is panned.
        const float angle = (pan + 1.0f) * 0.78539816f;
        *free = Voice{&sounds[command.sound], 0.0, std::isfinite(rate) ? std::clamp(rate, 0.25f, 4.0f) : 1.0f,
                      gain * std::cos(angle), gain * std::sin(angle)};
        break;
    }
    case CommandKind::StartMusic:
        music = known(command.sound, sounds.size()) && !sounds[command.sound].samples.empty()
                    ? Voice{&sounds[command.sound], 0.0, 1.0f, 0.70710678f, 0.70710678f}
                    : Voice{};
        break;
    case CommandKind::MusicLevel:
        musicLevel.target = unit(command.values[0]);
        break;
    case CommandKind::Volumes:
        master.target = unit(command.values[0]);
        musicVolume.target = unit(command.values[1]);
        effectsVolume.target = unit(command.values[2]);
        break;
    }
}

float Mixer::sampleAt(const Sound& sound, double position, bool looping)
{
    const std::vector<float>& samples = sound.samples;
    const size_t index = static_cast<size_t>(position);
    const float fraction = static_cast<float>(position - static_cast<double>(index));
    size_t next = index + 1;
    if (next >= samples.size())
        next = looping ? 0 : index;
    return samples[index] + (samples[next] - samples[index]) * fraction;
}

void Mixer::render(float* stereo, int frames)
{
    takeCommands();
    for (std::ptrdiff_t frame = 0; frame < frames; ++frame) {
        const float effects = effectsVolume.step();
        const float musicGain = musicVolume.step() * musicLevel.step();
        const float masterGain = master.step();
        float left = 0.0f;
        float right = 0.0f;
        for (Voice& voice : voices) {
            if (!voice.sound)
                continue;
            const float sample = sampleAt(*voice.sound, voice.position, false) * effects;
            left += sample * voice.left;
            right += sample * voice.right;
            voice.position += voice.rate;
            if (voice.position >= static_cast<double>(voice.sound->samples.size()))
                voice.sound = nullptr;
        }
        if (music.sound) {
            const float sample = sampleAt(*music.sound, music.position, true) * musicGain;
            left += sample * music.left;
            right += sample * music.right;
            music.position += music.rate;
            const double length = static_cast<double>(music.sound->samples.size());
            if (music.position >= length)
                music.position -= length;
        }
        stereo[2 * frame] = std::clamp(left * masterGain, -1.0f, 1.0f);
        stereo[2 * frame + 1] = std::clamp(right * masterGain, -1.0f, 1.0f);
    }
}
