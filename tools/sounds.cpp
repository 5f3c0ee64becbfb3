#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kPi = 3.14159265358979323846;

// The frequency of a note: 69 is the A above middle C, 440 Hz.
double noteFrequency(int midi)
{
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// A small, fixed noise source.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state(seed) {}
    double next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state;
};

enum class Wave { Sine, Square, Triangle };

double waveAt(Wave wave, double phase)
{
    const double cycle = phase - std::floor(phase);
    switch (wave) {
    case Wave::Sine:
        return std::sin(2.0 * kPi * cycle);
    case Wave::Square:
        // Softened edges: a pure square buzzes unpleasantly at this rate.
        return std::tanh(4.0 * std::sin(2.0 * kPi * cycle)) * 0.8;
    case Wave::Triangle:
        break;
    }
    return 4.0 * std::abs(cycle - 0.5) - 1.0;
}

// One note or sweep: a wave from `from` to `to` Hz over `seconds`, with an attack and an
// exponential decay, added into `out` at `start` seconds. Wraps around the end when `looping`,
// so a loop's last notes ring on into its first moments.
struct Tone {
    Wave wave = Wave::Sine;
    double from = 440.0;
    double to = 440.0;
    double seconds = 0.2;
    double gain = 0.5;
    double attack = 0.005; // seconds
    double decay = 8.0;    // per second: how quickly it fades after the attack
    double vibrato = 0.0;  // depth, as a fraction of the frequency, at 6 Hz
};

void addTone(Samples& out, double start, const Tone& tone, bool looping = false)
{
    const size_t first = static_cast<size_t>(start * kSoundRate);
    const size_t length = static_cast<size_t>(tone.seconds * kSoundRate);
    double phase = 0.0;
    for (size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kSoundRate;
        const double progress = static_cast<double>(i) / static_cast<double>(length);
        // Sweeps glide in pitch, evenly in octaves.
        double frequency = tone.from * std::pow(tone.to / tone.from, progress);
        frequency *= 1.0 + tone.vibrato * std::sin(2.0 * kPi * 6.0 * t);
        phase += frequency / kSoundRate;
        const double attack = std::min(1.0, t / tone.attack);
        // The last 5 ms fade to nothing, so no tone ends in a click.
        const double release = std::min(1.0, static_cast<double>(length - i) / (0.005 * kSoundRate));
        const double level = tone.gain * attack * release * std::exp(-tone.decay * t);
        size_t at = first + i;
        if (looping)
            at %= out.size();
        else if (at >= out.size())
            out.resize(at + 1, 0.0);
        out[at] += level * waveAt(tone.wave, phase);
    }
}

// A burst of noise through a one-pole low-pass filter (`brightness` 0 to 1), fading at `decay`.
void addNoise(Samples& out, double start, double seconds, double gain, double brightness, double decay,
              std::uint32_t seed, bool looping = false)
{
    Noise noise(seed);
    const size_t first = static_cast<size_t>(start * kSoundRate);
    const size_t length = static_cast<size_t>(seconds * kSoundRate);
    double filtered = 0.0;
    for (size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kSoundRate;
        filtered += brightness * (noise.next() - filtered);
        // A millisecond in and five out: no burst starts or ends in a click.
        const double attack = std::min(1.0, t / 0.001);
        const double release = std::min(1.0, static_cast<double>(length - i) / (0.005 * kSoundRate));
        size_t at = first + i;
        if (looping)
            at %= out.size();
        else if (at >= out.size())
            out.resize(at + 1, 0.0);
        out[at] += gain * attack * release * std::exp(-decay * t) * filtered;
    }
}

Samples jump()
{
    Samples out;
    addTone(out, 0.0, {Wave::Square, 280.0, 760.0, 0.18, 0.7, 0.003, 6.0});
    addTone(out, 0.0, {Wave::Sine, 560.0, 1520.0, 0.18, 0.25, 0.003, 8.0});
    return out;
}

// Softer and longer than the jump, with air around it: a glide floats.
Samples glideJump()
{
    Samples out;
    addTone(out, 0.0, {Wave::Triangle, 220.0, 660.0, 0.45, 0.55, 0.02, 3.0, 0.01});
    addTone(out, 0.05, {Wave::Sine, 440.0, 1320.0, 0.4, 0.25, 0.03, 4.0});
    addNoise(out, 0.0, 0.45, 0.25, 0.08, 4.0, 7);
    return out;
}

Samples touch()
{
    Samples out;
    addTone(out, 0.0, {Wave::Sine, 1500.0, 1200.0, 0.06, 0.5, 0.001, 60.0});
    addNoise(out, 0.0, 0.02, 0.3, 0.6, 150.0, 11);
    return out;
}

// A bell: partials of a struck bar, the higher ones fading first.
Samples score()
{
    Samples out;
    addTone(out, 0.0, {Wave::Sine, 880.0, 880.0, 0.45, 0.45, 0.002, 7.0});
    addTone(out, 0.0, {Wave::Sine, 2428.8, 2428.8, 0.25, 0.15, 0.002, 14.0});
    addTone(out, 0.0, {Wave::Sine, 1760.0, 1760.0, 0.3, 0.1, 0.002, 10.0});
    return out;
}

Samples timedDrop()
{
    Samples out;
    addTone(out, 0.0, {Wave::Sine, 130.0, 45.0, 0.35, 0.8, 0.002, 7.0});
    addNoise(out, 0.0, 0.15, 0.35, 0.15, 25.0, 23);
    return out;
}

// Two tones taking turns: the cubes start to go.
Samples shifting()
{
    Samples out;
    for (int i = 0; i < 4; ++i)
        addTone(out, 0.2 * i, {Wave::Square, i % 2 ? 880.0 : 660.0, i % 2 ? 880.0 : 660.0, 0.18, 0.45, 0.005, 2.0});
    return out;
}

// Rising, airy and slow: the glide.
Samples powerupGlide()
{
    Samples out;
    const int notes[] = {72, 76, 79, 84, 88};
    for (int i = 0; i < 5; ++i) {
        const double f = noteFrequency(notes[i]);
        addTone(out, 0.07 * i, {Wave::Sine, f, f, 0.6, 0.35, 0.01, 5.0, 0.004});
    }
    addNoise(out, 0.0, 0.5, 0.12, 0.05, 5.0, 31);
    return out;
}

// Two quick bright blips: money, twice.
Samples powerupDouble()
{
    Samples out;
    const double b5 = noteFrequency(83);
    const double e6 = noteFrequency(88);
    for (int twice = 0; twice < 2; ++twice) {
        const double at = 0.2 * twice;
        addTone(out, at, {Wave::Square, b5, b5, 0.07, 0.45, 0.002, 4.0});
        addTone(out, at + 0.07, {Wave::Square, e6, e6, 0.25, 0.45, 0.002, 9.0});
    }
    return out;
}

Samples gameOver()
{
    Samples out;
    const int notes[] = {67, 64, 60, 48};
    for (int i = 0; i < 4; ++i) {
        const double f = noteFrequency(notes[i]);
        addTone(out, 0.28 * i, {Wave::Square, f, f * (i == 3 ? 0.94 : 1.0), i == 3 ? 0.9 : 0.3, 0.45, 0.005, 2.5});
    }
    return out;
}

Samples newBest()
{
    Samples out;
    const int notes[] = {72, 76, 79};
    for (int i = 0; i < 3; ++i) {
        const double f = noteFrequency(notes[i]);
        addTone(out, 0.1 * i, {Wave::Square, f, f, 0.1, 0.4, 0.003, 3.0});
    }
    const double c6 = noteFrequency(84);
    addTone(out, 0.3, {Wave::Square, c6, c6, 0.7, 0.45, 0.005, 2.5, 0.008});
    addTone(out, 0.3, {Wave::Sine, c6 * 2.0, c6 * 2.0, 0.7, 0.15, 0.005, 3.0});
    return out;
}

Samples pauseBlip(bool opening)
{
    Samples out;
    addTone(out, 0.0, {Wave::Triangle, opening ? 620.0 : 310.0, opening ? 310.0 : 620.0, 0.12, 0.5, 0.003, 10.0});
    return out;
}

// 32 seconds at 120 beats a minute: 16 bars of A minor, F, C and G, four times with a growing
// arrangement. Every voice wraps around the loop's end, so the last bar rings on into the first
// and the loop has no seam.
Samples music()
{
    constexpr double kBeat = 0.5;
    constexpr int kBars = 16;
    Samples out(static_cast<size_t>(kBars * 4 * kBeat * kSoundRate), 0.0);
    // Root notes of the chords, one bar each, and their triads.
    const int roots[] = {57, 53, 48, 55};
    const int thirds[] = {3, 4, 4, 4};
    for (int bar = 0; bar < kBars; ++bar) {
        const int chord = bar % 4;
        const int root = roots[chord];
        const int pass = bar / 4;
        const double barStart = bar * 4 * kBeat;
        // Bass on every beat, an octave below the root.
        for (int beat = 0; beat < 4; ++beat) {
            const double f = noteFrequency(root - 12);
            addTone(out, barStart + beat * kBeat, {Wave::Triangle, f, f, 0.45, 0.32, 0.01, 4.0}, true);
        }
        // A soft pad holding the triad.
        for (int step : {0, thirds[chord], 7}) {
            const double f = noteFrequency(root + step);
            addTone(out, barStart, {Wave::Sine, f, f, 4 * kBeat, 0.06, 0.3, 0.4, 0.003}, true);
        }
        // From the second pass on, an arpeggio in eighths.
        if (pass >= 1) {
            const int pattern[] = {0, thirds[chord], 7, 12, 7, thirds[chord], 0, 7};
            for (int i = 0; i < 8; ++i) {
                const double f = noteFrequency(root + 12 + pattern[i]);
                addTone(out, barStart + i * kBeat / 2, {Wave::Square, f, f, 0.22, 0.09, 0.004, 10.0}, true);
            }
        }
        // A kick on one and three, a hat on every off-beat, the hats from the third pass on.
        for (int beat = 0; beat < 4; beat += 2)
            addTone(out, barStart + beat * kBeat, {Wave::Sine, 110.0, 40.0, 0.2, 0.5, 0.002, 14.0}, true);
        if (pass >= 2)
            for (int beat = 0; beat < 4; ++beat)
                addNoise(out, barStart + beat * kBeat + kBeat / 2, 0.05, 0.12, 0.9, 60.0,
                         static_cast<std::uint32_t>(97 + bar * 4 + beat), true);
        // The last pass carries a slow lead over the chords.
        if (pass == 3) {
            const double f = noteFrequency(root + 24 + (bar % 2 ? 7 : thirds[chord]));
            addTone(out, barStart, {Wave::Triangle, f, f, 3.5 * kBeat, 0.08, 0.05, 0.8, 0.006}, true);
        }
    }
    return out;
}

// The sound scaled to the peak given: every effect as loud as the next, and the music lower, under
// them. How loud each is in play is the game's matter.
Samples peakingAt(Samples sound, double peak)
{
    double largest = 0.0;
    for (double sample : sound)
        largest = std::max(largest, std::abs(sample));
    if (largest > 0.0)
        for (double& sample : sound)
            sample *= peak / largest;
    return sound;
}

} // namespace

std::vector<std::pair<std::string, Samples>> gameSounds()
{
    constexpr double kEffectPeak = 0.9;
    return {
        {"jump", peakingAt(jump(), kEffectPeak)},
        {"glide_jump", peakingAt(glideJump(), kEffectPeak)},
        {"touch", peakingAt(touch(), kEffectPeak)},
        {"score", peakingAt(score(), kEffectPeak)},
        {"timed_drop", peakingAt(timedDrop(), kEffectPeak)},
        {"shifting", peakingAt(shifting(), kEffectPeak)},
        {"powerup_glide", peakingAt(powerupGlide(), kEffectPeak)},
        {"powerup_double", peakingAt(powerupDouble(), kEffectPeak)},
        {"game_over", peakingAt(gameOver(), kEffectPeak)},
        {"new_best", peakingAt(newBest(), kEffectPeak)},
        {"pause_open", peakingAt(pauseBlip(true), kEffectPeak)},
        {"pause_close", peakingAt(pauseBlip(false), kEffectPeak)},
        {"music", peakingAt(music(), 0.55)},
    };
}

std::string encodeWav(const Samples& samples)
{
    std::string bytes;
    const auto put = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const std::uint32_t dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    bytes += "RIFF";
    put(36 + dataSize, 4);
    bytes += "WAVEfmt ";
    put(16, 4);
    put(1, 2); // PCM
    put(1, 2); // mono
    put(kSoundRate, 4);
    put(kSoundRate * 2, 4);
    put(2, 2);
    put(16, 2);
    bytes += "data";
    put(dataSize, 4);
    for (double sample : samples) {
        const long value = std::lround(std::clamp(sample, -1.0, 1.0) * 32767.0);
        put(static_cast<std::uint32_t>(static_cast<std::int16_t>(value)) & 0xFFFF, 2);
    }
    return bytes;
}
