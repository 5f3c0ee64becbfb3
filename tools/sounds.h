#pragma once

#include <string>
#include <utility>
#include <vector>

// The game's sounds, synthesised from code: sine, square and noise voices shaped by envelopes,
// mono at 22050 samples a second, written as 16-bit WAV files. Every sound is the same on every
// run (the noise comes from a fixed seed).
inline constexpr int kSoundRate = 22050;

using Samples = std::vector<double>;

// Every sound the game plays, with the name of its file (without ".wav"): the effects and the
// music loop.
std::vector<std::pair<std::string, Samples>> gameSounds();

// A 16-bit mono PCM WAV file of the samples (-1 to 1).
std::string encodeWav(const Samples& samples);
