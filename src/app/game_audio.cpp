#include "game_audio.h"

#include "game_sounds.h"

void GameAudio::start()
{
    mixer = std::make_unique<Mixer>(loadGameSounds());
    output = AudioOutput::open(*mixer);
    if (!output)
        mixer.reset();
}

void GameAudio::startOffline()
{
    mixer = std::make_unique<Mixer>(loadGameSounds());
}

void GameAudio::render(float* stereo, int frames)
{
    if (mixer && !output)
        mixer->render(stereo, frames);
}

void GameAudio::stop()
{
    output.reset();
    mixer.reset();
}

void GameAudio::play(const SoundCue& cue)
{
    if (mixer)
        mixer->play(static_cast<int>(cue.id), cue.gain, cue.pan, cue.rate);
}

void GameAudio::startMusic()
{
    if (mixer)
        mixer->startMusic(static_cast<int>(SoundId::Music));
}

void GameAudio::follow(float musicLevel, bool muted, const AudioOptions& volumes)
{
    if (!mixer)
        return;
    if (musicLevel != toldMusicLevel) {
        toldMusicLevel = musicLevel;
        mixer->setMusicLevel(musicLevel);
    }
    if (toldMuted == muted && toldVolumes == volumes)
        return;
    toldMuted = muted;
    toldVolumes = volumes;
    mixer->setVolumes(muted ? 0.0f : static_cast<float>(volumes.master) / 100.0f,
                      static_cast<float>(volumes.music) / 100.0f, static_cast<float>(volumes.effects) / 100.0f);
}
