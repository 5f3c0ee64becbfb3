#include "sound_file.h"

#include <SDL.h>

#include <cstring>
#include <filesystem>

namespace {

// Far more than the longest sound of the game, the music included.
constexpr std::uintmax_t kLargestFile = std::uintmax_t{16} * 1024 * 1024;

// Owns what SDL_LoadWAV allocated.
struct Wav {
    SDL_AudioSpec format{};
    Uint8* bytes = nullptr;
    Uint32 length = 0;
    ~Wav() { SDL_FreeWAV(bytes); }
};

} // namespace

std::optional<Sound> loadSound(const std::string& path, std::string& error)
{
    std::error_code code;
    const std::uintmax_t size = std::filesystem::file_size(path, code);
    if (code) {
        error = code.message();
        return std::nullopt;
    }
    if (size > kLargestFile) {
        error = "it is too large for a sound";
        return std::nullopt;
    }
    Wav wav;
    if (SDL_LoadWAV(path.c_str(), &wav.format, &wav.bytes, &wav.length) == nullptr) {
        error = SDL_GetError();
        return std::nullopt;
    }
    SDL_AudioCVT convert;
    if (SDL_BuildAudioCVT(&convert, wav.format.format, wav.format.channels, wav.format.freq, AUDIO_F32SYS, 1, kMixerRate) <
        0) {
        error = SDL_GetError();
        return std::nullopt;
    }
    std::vector<Uint8> buffer(static_cast<size_t>(wav.length) * static_cast<size_t>(convert.len_mult));
    if (!buffer.empty())
        std::memcpy(buffer.data(), wav.bytes, wav.length);
    convert.buf = buffer.data();
    convert.len = static_cast<int>(wav.length);
    if (convert.needed && SDL_ConvertAudio(&convert) < 0) {
        error = SDL_GetError();
        return std::nullopt;
    }
    const size_t converted = convert.needed ? static_cast<size_t>(convert.len_cvt) : wav.length;
    Sound sound;
    sound.samples.resize(converted / sizeof(float));
    if (!sound.samples.empty())
        std::memcpy(sound.samples.data(), buffer.data(), sound.samples.size() * sizeof(float));
    return sound;
}
