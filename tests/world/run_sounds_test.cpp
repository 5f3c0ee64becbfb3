#include <gtest/gtest.h>

#include <cmath>

#include "run.h"
#include "run_sounds.h"

namespace {

struct Heard {
    std::int64_t tick;
    SoundId id;
    bool operator==(const Heard& other) const { return tick == other.tick && id == other.id; }
};

std::ostream& operator<<(std::ostream& out, const Heard& heard)
{
    return out << "tick " << heard.tick << ": " << soundName(heard.id);
}

} // namespace

// A scripted run on seed 5 whose events fall on known ticks: the jump asked for at tick 5, the
// first extension at 20 (a shifting segment), the powerup passed at 21, the fall at 30.
TEST(RunSounds, EachEventSoundsAtItsTick)
{
    ::Run run(5, 1.0f);
    GameWorld& world = run.world();
    RunSounds sounds;
    std::vector<SoundCue> cues;
    std::vector<Heard> heard;
    for (std::int64_t tick = 1; tick <= 30; ++tick) {
        TickInput input;
        input.movementSpeed = 0.0f; // standing on the first rows
        input.jump = tick == 5;
        if (tick == 20)
            world.player().camera.position = glm::vec3(0.0f, 0.0f, -95.0f);
        if (tick == 21)
            world.player().camera.position = glm::vec3(0.0f, 5.0f, -100.5f);
        if (tick == 30)
            world.player().camera.position.y = -20.0f;
        const TickEvents events = world.tick(input);
        cues.clear();
        sounds.cuesOf(events, world, world.ticks(), cues);
        for (const SoundCue& cue : cues)
            if (cue.id != SoundId::Touch && cue.id != SoundId::Score)
                heard.push_back({world.ticks(), cue.id});
        if (tick == 1) {
            ASSERT_EQ(cues.size(), 1u);
            EXPECT_EQ(cues[0].id, SoundId::Touch);
            EXPECT_NEAR(cues[0].pan, 0.0f, 0.01f) << "the cubes under the runner are on neither side";
            EXPECT_LT(cues[0].gain, 0.5f) << "a touch is quiet";
        }
    }
    const SoundId powerup = world.activeKind == PowerupKind::Glide ? SoundId::PowerupGlide : SoundId::PowerupDouble;
    const std::vector<Heard> expected{
        {5, SoundId::Jump}, {20, SoundId::Shifting}, {21, powerup}, {30, SoundId::GameOver}};
    EXPECT_EQ(heard, expected);
}

TEST(RunSounds, ScoresInQuickSuccessionClimbInPitchAndAPauseStartsLowAgain)
{
    ::Run run(5, 1.0f);
    RunSounds sounds;
    TickEvents scored;
    scored.scored = 1;
    scored.scoredSide = 3.3f;
    std::vector<SoundCue> cues;
    for (std::int64_t tick : {100, 110, 120, 200})
        sounds.cuesOf(scored, run.world(), tick, cues);
    ASSERT_EQ(cues.size(), 4u);
    EXPECT_FLOAT_EQ(cues[0].rate, 1.0f);
    EXPECT_FLOAT_EQ(cues[1].rate, std::exp2(1.0f / 12.0f));
    EXPECT_FLOAT_EQ(cues[2].rate, std::exp2(2.0f / 12.0f));
    EXPECT_FLOAT_EQ(cues[3].rate, 1.0f);
    EXPECT_FLOAT_EQ(cues[0].pan, 1.0f) << "a cube at the right edge sounds on the right";
}
