#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "run.h"

namespace {

// How a run ended: what a replay checks.
struct Ending {
    std::int64_t ticks = 0;
    std::int32_t points = 0;
    std::uint64_t state = 0;
    bool operator==(const Ending& other) const
    {
        return ticks == other.ticks && points == other.points && state == other.state;
    }
};

constexpr int kMostTicks = 60 * 40;

// Three players: one drops every cube at once, one runs on and jumps while looking about, one
// sidesteps and drops everything later.
TickInput inputOf(int player, int tick)
{
    TickInput input;
    switch (player) {
    case 0:
        input.dropAll = tick == 1;
        break;
    case 1:
        input.forward = true;
        input.jump = tick % 45 == 0;
        input.yaw = -90.0f + 20.0f * static_cast<float>((tick / 60) % 2 == 0 ? 1 : -1);
        break;
    default:
        input.left = tick % 120 < 30;
        input.dropAll = tick == 90;
        input.pitch = -10.0f;
        break;
    }
    return input;
}

bool tickOnce(Run& run, int player)
{
    return run.world().tick(inputOf(player, static_cast<int>(run.world().ticks()) + 1)).gameOver;
}

Ending endingOf(const Run& run)
{
    return {run.world().ticks(), run.world().points, worldStateHash(run.world())};
}

Ending playAlone(std::uint32_t seed, int player)
{
    Run run(seed, 1280.0f / 768.0f);
    while (run.world().ticks() < kMostTicks && !tickOnce(run, player)) {
    }
    return endingOf(run);
}

} // namespace

// Each run owns its cubes, bodies and points: three worlds ticked in turn in one process, two on
// the same track, each play the game that world plays alone.
TEST(Worlds, PlaySideBySideAsEachPlaysAlone)
{
    const std::array<std::uint32_t, 3> seeds{7, 7, 8};
    std::array<Ending, 3> alone;
    for (int player = 0; player < 3; ++player)
        alone[player] = playAlone(seeds[player], player);
    EXPECT_GT(alone[0].points, 0);
    EXPECT_GT(alone[1].points, 0);
    EXPECT_GT(alone[2].points, 0);
    EXPECT_NE(alone[0].state, alone[1].state) << "two inputs on one track must make two games";

    std::array<std::unique_ptr<::Run>, 3> runs;
    for (int player = 0; player < 3; ++player)
        runs[player] = std::make_unique<::Run>(seeds[player], 1280.0f / 768.0f);
    std::array<bool, 3> over{};
    for (int tick = 0; tick < kMostTicks; ++tick)
        for (int player = 0; player < 3; ++player)
            if (!over[player])
                over[player] = tickOnce(*runs[player], player);
    for (int player = 0; player < 3; ++player) {
        const Ending together = endingOf(*runs[player]);
        EXPECT_TRUE(together == alone[player])
            << "player " << player << " on seed " << seeds[player] << ": " << together.points << " points at tick "
            << together.ticks << " beside the others, " << alone[player].points << " at tick " << alone[player].ticks
            << " alone";
    }
}
