#pragma once

#include <cstdint>
#include <vector>

#include "game_world.h"

// Every sound of the game, each a WAV file of the same name under assets/sounds/.
enum class SoundId {
    Jump,
    GlideJump,
    Touch,
    Score,
    TimedDrop,
    Shifting,
    PowerupGlide,
    PowerupDouble,
    GameOver,
    NewBest,
    PauseOpen,
    PauseClose,
    Music,
};
inline constexpr int kSoundCount = static_cast<int>(SoundId::Music) + 1;

// "jump", "glide_jump", ...: the sound's name, and the stem of its file.
const char* soundName(SoundId id);

// One sound to play: how loud (0 to 1), where (-1 left to 1 right) and how high (1 as stored).
struct SoundCue {
    SoundId id;
    float gain = 1.0f;
    float pan = 0.0f;
    float rate = 1.0f;
};

// What a run sounds like: the cues of each tick's events. It keeps only what the sounds need from
// tick to tick (the run of scores the pitch climbs with), so a replay sounds like the run. It
// plays nothing itself: wherever a run is played or re-simulated, its sounds can be told.
class RunSounds {
public:
    // Appends the cues of the events of tick `tick` to `cues`, in the order they sound.
    void cuesOf(const TickEvents& events, const GameWorld& world, std::int64_t tick, std::vector<SoundCue>& cues);

    // Scores less than this many ticks apart climb in pitch; a longer pause starts low again.
    static constexpr std::int64_t kScoreRunTicks = 30;

private:
    std::int64_t lastScoreTick = -kScoreRunTicks;
    int scoreRun = 0;
};
