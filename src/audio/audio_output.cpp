#include "audio_output.h"

#include <SDL.h>

#include "console.h"
#include "mixer.h"

namespace {

void fill(void* mixer, Uint8* stream, int bytes)
{
    static_cast<Mixer*>(mixer)->render(reinterpret_cast<float*>(stream), bytes / static_cast<int>(2 * sizeof(float)));
}

void playSilently(const char* reason)
{
    printLine(std::string("No audio device: playing without sound (") + reason + ").");
}

} // namespace

std::unique_ptr<AudioOutput> AudioOutput::open(Mixer& mixer)
{
    // GLFW owns the window and the input; SDL must not take the process's signals either.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        playSilently(SDL_GetError());
        return nullptr;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kMixerRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 2;
    wanted.samples = 512; // 23 ms: sounds follow their tick closely
    wanted.callback = fill;
    wanted.userdata = &mixer;
    // SDL converts to whatever the device takes.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device == 0) {
        playSilently(SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    SDL_PauseAudioDevice(device, 0);
    return std::unique_ptr<AudioOutput>(new AudioOutput(device));
}

AudioOutput::~AudioOutput()
{
    SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
