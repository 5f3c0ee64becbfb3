#include "game_sounds.h"

#include "asset_path.h"
#include "console.h"
#include "sound_file.h"

std::string soundAsset(SoundId id)
{
    return std::string("assets/sounds/") + soundName(id) + ".wav";
}

std::vector<Sound> loadGameSounds()
{
    std::vector<Sound> sounds(kSoundCount);
    for (int i = 0; i < kSoundCount; ++i) {
        const std::string asset = soundAsset(static_cast<SoundId>(i));
        const std::string path = resolveAssetPath(asset);
        std::string error = "there is no such file";
        std::optional<Sound> sound = path.empty() ? std::nullopt : loadSound(path, error);
        if (sound)
            sounds[i] = std::move(*sound);
        else
            printLine("Could not load the sound '" + asset + "': " + error.append(". It stays silent."));
    }
    return sounds;
}
