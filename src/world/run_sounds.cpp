#include "run_sounds.h"

#include <algorithm>
#include <cmath>

namespace {

// How far to one side a cube sounds: fully at the track's edge, 3.3 units out.
float panOf(float side)
{
    return std::clamp(side / 3.3f, -1.0f, 1.0f);
}

} // namespace

const char* soundName(SoundId id)
{
    switch (id) {
    case SoundId::Jump:
        return "jump";
    case SoundId::GlideJump:
        return "glide_jump";
    case SoundId::Touch:
        return "touch";
    case SoundId::Score:
        return "score";
    case SoundId::TimedDrop:
        return "timed_drop";
    case SoundId::Shifting:
        return "shifting";
    case SoundId::PowerupGlide:
        return "powerup_glide";
    case SoundId::PowerupDouble:
        return "powerup_double";
    case SoundId::GameOver:
        return "game_over";
    case SoundId::NewBest:
        return "new_best";
    case SoundId::PauseOpen:
        return "pause_open";
    case SoundId::PauseClose:
        return "pause_close";
    case SoundId::Music:
        break;
    }
    return "music";
}

void RunSounds::cuesOf(const TickEvents& events, const GameWorld& world, std::int64_t tick, std::vector<SoundCue>& cues)
{
    if (events.jumped)
        cues.push_back({events.glided ? SoundId::GlideJump : SoundId::Jump, 0.8f});
    if (events.touched > 0)
        cues.push_back({SoundId::Touch, 0.25f, panOf(events.touchedSide)});
    if (events.timedDrop)
        cues.push_back({SoundId::TimedDrop, 0.6f, panOf(events.timedDropSide)});
    if (events.scored > 0) {
        // A semitone higher for each score of a quick run, up to an octave.
        scoreRun = tick - lastScoreTick < kScoreRunTicks ? std::min(scoreRun + 1, 12) : 0;
        lastScoreTick = tick;
        cues.push_back(
            {SoundId::Score, 0.5f, panOf(events.scoredSide), std::exp2(static_cast<float>(scoreRun) / 12.0f)});
    }
    if (events.extended && world.segments.shifting)
        cues.push_back({SoundId::Shifting, 0.7f});
    if (events.collected)
        cues.push_back({world.activeKind == PowerupKind::Glide ? SoundId::PowerupGlide : SoundId::PowerupDouble, 0.8f});
    if (events.gameOver)
        cues.push_back({SoundId::GameOver, 0.9f});
}
