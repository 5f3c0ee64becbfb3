#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "cube.h"
#include "game_world_fixture.h"

namespace {

using Simulation = GameWorldTest;

std::set<const Cube*> markedCubes(const CubeList& cubes)
{
    std::set<const Cube*> marked;
    for (const std::unique_ptr<Cube>& cube : cubes)
        if (cube->marked)
            marked.insert(cube.get());
    return marked;
}

bool alive(const CubeList& cubes, const Cube* wanted)
{
    return std::any_of(cubes.begin(), cubes.end(), [&](const std::unique_ptr<Cube>& c) { return c.get() == wanted; });
}

int unsupportedCubes(const CubeList& cubes)
{
    return static_cast<int>(std::count_if(cubes.begin(), cubes.end(), [](const auto& c) { return !c->supported(); }));
}

} // namespace

TEST_F(Simulation, TheTrackStartsWithThreeFullRowsAndAPlatformWithItsPowerup)
{
    int firstRows = 0;
    for (const std::unique_ptr<Cube>& cube : world->cubes)
        firstRows += cube->startMatrix()[3].z > -2.5f ? 1 : 0;
    EXPECT_EQ(firstRows, 21);
    EXPECT_GT(world->cubes.size(), 21u + 150u);
    EXPECT_LT(world->cubes.size(), 21u + 400u);
    EXPECT_EQ(world->platforms().bodies().size(), 3u);
    EXPECT_EQ(world->platforms().shown().size(), 1u);
    EXPECT_NE(world->placedKind, PowerupKind::None);
    EXPECT_EQ(world->activeKind, PowerupKind::None);
    EXPECT_EQ(world->powerupPosition(), glm::vec3(0.0f, 1.0f, -100.0f));
    EXPECT_EQ(strayBodies(), 0);
}

TEST_F(Simulation, ATouchedCubeDropsAfterPointSixSecondsOfRunningTimeAndScoresOnce)
{
    tick(); // standing still on the cubes under the start
    const std::set<const Cube*> touched = markedCubes(world->cubes);
    // The body sensor reaches the three middle columns of the first two rows.
    ASSERT_EQ(touched.size(), 6u);
    const Cube* cube = *touched.begin();

    play(0.5f);
    EXPECT_TRUE(cube->supported()) << "0.5 s after the touch";
    play(0.125f);
    EXPECT_FALSE(cube->supported()) << "0.625 s after the touch";

    // They fall into the fall sensor, and each counts exactly once.
    for (int i = 0; i < 400 && std::any_of(touched.begin(), touched.end(),
                                           [&](const Cube* cube) { return alive(world->cubes, cube); });
         ++i)
        tick();
    EXPECT_FALSE(
        std::any_of(touched.begin(), touched.end(), [&](const Cube* cube) { return alive(world->cubes, cube); }));
    EXPECT_EQ(world->points, 6);
    play(1.0f);
    EXPECT_EQ(world->points, 6);
    EXPECT_EQ(strayBodies(), 0);
}

// A resting cube sleeps, so the world's step costs next to nothing; it must wake when its support
// goes, however long it has rested.
TEST_F(Simulation, ACubeThatHasRestedForSecondsFallsTheMomentItsSupportGoes)
{
    TickInput hovering = standing();
    for (int i = 0; i < 5 * kTicksPerSecond; ++i) {
        camera().position.y = 50.0f; // out of reach of every cube
        player().verticalSpeed = 0.0f;
        tick(hovering);
    }
    ASSERT_TRUE(markedCubes(world->cubes).empty());
    const Cube* cube = world->cubes.back().get();
    ASSERT_FALSE(cube->body()->isActive()) << "a cube at rest should sleep";
    const float restingHeight = cube->position().y;

    hovering.dropAll = true;
    tick(hovering);
    for (int i = 0; i < 45; ++i)
        tick(standing());
    EXPECT_FALSE(cube->supported());
    EXPECT_LT(cube->position().y, restingHeight - 0.01f) << "0.75 s after the drop-all";
}

TEST_F(Simulation, UnmarkedCubesSweptBehindThePlayerScoreNothing)
{
    // High above the track, 20 units along: nothing is touched, and the sweep sensor 12 units
    // behind passes through the rows around z = -8.
    camera().position = glm::vec3(0.0f, 5.0f, -20.0f);
    const size_t before = world->cubes.size();
    tick();
    EXPECT_LT(world->cubes.size(), before);
    EXPECT_EQ(world->points, 0);
    EXPECT_TRUE(markedCubes(world->cubes).empty());
    EXPECT_EQ(strayBodies(), 0);
}

TEST_F(Simulation, AMarkedCubeSweptBeforeItDropsScoresWithItsSupportRemoved)
{
    tick();
    const std::set<const Cube*> touched = markedCubes(world->cubes);
    // Jump ahead before the countdown ends: the sweep sensor now passes the touched cubes.
    camera().position.z = -12.5f;
    tick();
    EXPECT_FALSE(
        std::any_of(touched.begin(), touched.end(), [&](const Cube* cube) { return alive(world->cubes, cube); }));
    EXPECT_EQ(world->points, static_cast<int>(touched.size()));
    EXPECT_EQ(strayBodies(), 0);
}

TEST_F(Simulation, DoublePointsCountAtTheMomentOfRemoval)
{
    tick();
    ASSERT_EQ(markedCubes(world->cubes).size(), 6u);
    world->activeKind = PowerupKind::DoublePoints; // collected after the touch, before the cubes land
    play(3.0f);
    EXPECT_EQ(world->points, 12);

    world->activeKind = PowerupKind::Glide;
    camera().position = glm::vec3(0.0f, 0.0f, -30.0f);
    const int before = world->points;
    tick();
    const size_t touched = markedCubes(world->cubes).size();
    // Fly on, out of reach: the sweep sensor passes them before they drop, and they count 1 each.
    while (camera().position.z > -46.0f) {
        camera().position.y = 10.0f;
        camera().position.z -= 0.5f;
        tick();
    }
    EXPECT_TRUE(markedCubes(world->cubes).empty());
    EXPECT_EQ(world->points - before, static_cast<int>(touched));
}

TEST_F(Simulation, TheTrackGrowsSegmentBySegment)
{
    const float expectedIntervals[] = {1.5384616f, 1.183432f, 0.9103323f, 0.7002556f, 0.5386582f};
    const int expectedThresholds[] = {60, 70, 80, 90, 100};
    size_t cubesBefore = world->cubes.size();
    for (int k = 1; k <= 5; ++k) {
        const SegmentState before = world->segments;
        camera().position = glm::vec3(0.0f, 0.0f, -(before.segmentLimitF + 0.5f));
        const TickEvents events = world->applyRules();
        ASSERT_TRUE(events.extended) << "extension " << k;
        const SegmentState& after = world->segments;
        EXPECT_EQ(after.densityThreshold, expectedThresholds[k - 1]);
        EXPECT_EQ(after.segmentLimit, 90 + 100 * k);
        EXPECT_FLOAT_EQ(after.platformZ, -100.0f * static_cast<float>(k + 1));
        EXPECT_FLOAT_EQ(after.dropInterval, expectedIntervals[k - 1]);
        EXPECT_EQ(after.shifting, k % 2 == 1);
        EXPECT_TRUE(after.powerupPending);

        // 72 rows of 7 cells, each filled when its draw beats min(threshold, 90) out of 100.
        const double fill = 1.0 - std::min(expectedThresholds[k - 1], 90) / 100.0;
        const double added = static_cast<double>(world->cubes.size() - cubesBefore);
        EXPECT_NEAR(added / (72 * 7), fill, 0.06) << "extension " << k;
        cubesBefore = world->cubes.size();
        // The new rows lie between the old limit's platform and the new one, 1.1 apart.
        for (const std::unique_ptr<Cube>& cube : world->cubes) {
            const float z = cube->startMatrix()[3].z;
            if (z > -(100.0f * static_cast<float>(k) + 5.0f))
                continue;
            const float row = (-z - (100.0f * static_cast<float>(k) + 10.0f)) / 1.1f;
            EXPECT_NEAR(row, std::round(row), 1e-3f);
            EXPECT_GE(std::round(row), 0.0f);
            EXPECT_LE(std::round(row), 71.0f);
        }

        // Only one extension per crossing.
        EXPECT_FALSE(world->applyRules().extended);
        EXPECT_EQ(world->platforms().bodies().size(), 3u * static_cast<size_t>(k + 1));
    }
    EXPECT_EQ(strayBodies(), 0);
}

TEST_F(Simulation, APowerupIsCollectedOnlyAfterPassingItsPlatform)
{
    const PowerupKind first = world->placedKind;
    camera().position = glm::vec3(0.0f, 0.0f, -95.0f);
    TickEvents events = world->applyRules();
    EXPECT_TRUE(events.extended);
    EXPECT_FALSE(events.collected);
    EXPECT_EQ(world->activeKind, PowerupKind::None);

    camera().position.z = -100.0f;
    EXPECT_FALSE(world->applyRules().collected);

    // Beside the platform and high above it still counts: only z matters.
    camera().position = glm::vec3(40.0f, 25.0f, -100.5f);
    events = world->applyRules();
    EXPECT_TRUE(events.collected);
    EXPECT_EQ(world->activeKind, first);
    EXPECT_FALSE(world->segments.powerupPending);
    // The next one stands over the newest platform.
    EXPECT_EQ(world->powerupPosition(), glm::vec3(0.0f, 1.0f, -200.0f));
    EXPECT_EQ(world->platforms().shown().size(), 2u);
    EXPECT_FALSE(world->applyRules().collected);
}

namespace {

// Jumps from standing still and follows the flight to its peak.
class Jump : public GameWorldTest {
protected:
    struct Rise {
        float total;    // from the start to the peak
        float airborne; // from leaving the ground to the peak
    };

    Rise jump()
    {
        const float start = camera().position.y;
        TickInput request = standing();
        request.jump = true;
        tick(request);
        float leftGround = start;
        float peak = start;
        for (int i = 0; i < 240 && player().verticalSpeed >= 0.0f; ++i) {
            const bool wasOnGround = player().onGround;
            const float before = camera().position.y;
            tick();
            if (wasOnGround && !player().onGround)
                leftGround = before;
            peak = std::max(peak, camera().position.y);
        }
        return {peak - start, peak - leftGround};
    }
};

} // namespace

TEST_F(Jump, RisesAboutPointSixFourOnceOffTheGround)
{
    const Rise rise = jump();
    EXPECT_NEAR(rise.airborne, 0.64f, 0.04f);
    // While the feet still touch the cube the jump keeps its full speed.
    EXPECT_GT(rise.total, rise.airborne);
    EXPECT_LT(rise.total, 0.9f);
    EXPECT_FALSE(player().gliding);
}

TEST_F(Jump, GlidingRisesAboutTwoPointOne)
{
    world->activeKind = PowerupKind::Glide;
    const Rise rise = jump();
    EXPECT_TRUE(player().gliding);
    EXPECT_NEAR(rise.airborne, 2.14f, 0.06f);
    EXPECT_LT(rise.total, 2.45f);
}

TEST_F(Jump, HeightDoesNotDependOnHowManyCubesExist)
{
    // Thousands more cubes far away: many more pairs for the broadphase to keep.
    std::mt19937 random(9);
    spawnCubeRows(world->cubes, random, 400, physics->collisionShapes[0], *physics->dynamicsWorld, 500.0, 0, 0);
    tick();
    const Rise rise = jump();
    EXPECT_NEAR(rise.airborne, 0.64f, 0.04f);
    EXPECT_LT(rise.total, 0.9f);
}

TEST_F(Simulation, AJumpNeedsTheCooldownAndATimeOnTheGround)
{
    TickInput jump = standing();
    jump.jump = true;
    tick(jump);
    EXPECT_FALSE(player().canJump);
    const float speed = player().verticalSpeed;
    tick(jump); // the cooldown runs: refused, no second boost
    EXPECT_EQ(player().verticalSpeed, speed);
}

TEST_F(Simulation, FallingReachesTerminalSpeedAfterAboutOnePointOneSeconds)
{
    camera().position = glm::vec3(0.0f, 40.0f, 0.0f);
    // The feet see the new place after the next physics step.
    tick();
    tick();
    EXPECT_FALSE(player().onGround);
    // Only the player's own body sensor is under its feet.
    EXPECT_EQ(player().feetSensor().getNumOverlappingObjects(), 1);
    play(1.0f);
    EXPECT_GT(player().verticalSpeed, -7.81f);
    EXPECT_LT(player().verticalSpeed, -6.8f);
    play(0.2f);
    EXPECT_FLOAT_EQ(player().verticalSpeed, -7.81f);
    play(1.0f);
    EXPECT_FLOAT_EQ(player().verticalSpeed, -7.81f);
}

TEST_F(Simulation, StandingOnTheStartRowsCountsTheCubeAndTheOwnBodySensor)
{
    tick();
    EXPECT_TRUE(player().onGround);
    EXPECT_GE(player().feetSensor().getNumOverlappingObjects(), 2);
    EXPECT_EQ(player().verticalSpeed, 0.0f);
}

TEST_F(Simulation, ReleasingTwoDropsEveryCubeAndEndsTheGame)
{
    const size_t total = world->cubes.size();
    TickInput dropAll = running();
    dropAll.dropAll = true;
    tick(dropAll);
    EXPECT_EQ(markedCubes(world->cubes).size(), total);
    bool over = false;
    for (int i = 0; i < 600 && !over; ++i)
        over = tick(running()).gameOver;
    ASSERT_TRUE(over);
    EXPECT_EQ(unsupportedCubes(world->cubes), static_cast<int>(world->cubes.size()));
    // Every cube that left the track by then was scored, once.
    EXPECT_EQ(world->points, static_cast<int>(total - world->cubes.size()));
    EXPECT_GT(world->points, 0);
}

TEST_F(Simulation, ShiftingDropsTheFirstUnmarkedCubeOncePerInterval)
{
    world->segments.shifting = true;
    world->segments.dropInterval = 2.0f;
    std::vector<std::int64_t> drops; // the ticks at which the timer marked a cube
    const auto hover = [&](int ticks) {
        for (int i = 0; i < ticks; ++i) {
            camera().position.y = 50.0f; // out of reach of every cube
            player().verticalSpeed = 0.0f;
            const size_t before = markedCubes(world->cubes).size();
            tick();
            if (markedCubes(world->cubes).size() > before)
                drops.push_back(world->ticks());
        }
    };
    hover(250);
    // More than 2 s after the start, then more than 2 s after the last drop.
    EXPECT_EQ(drops, (std::vector<std::int64_t>{121, 242}));
    EXPECT_TRUE(world->cubes.front()->marked);
    // Below half a second the interval stops shrinking.
    world->segments.dropInterval = 0.1f;
    drops.clear();
    hover(70);
    EXPECT_EQ(drops, (std::vector<std::int64_t>{273, 304}));
}

TEST_F(Simulation, TwoHundredExtensionsKeepTheTrackSmallAndTheWorldClean)
{
    // The player flies along at eye height (so gaps cannot end the run), touching what it passes.
    size_t most = 0;
    int extensions = 0;
    for (int i = 0; extensions < 200 && i < 100000; ++i) {
        camera().position.y = 0.0f;
        player().verticalSpeed = 0.0f;
        camera().position.z -= 1.0f;
        extensions += tick().extended ? 1 : 0;
        most = std::max(most, world->cubes.size());
        if (extensions == 20 && i % 50 == 0) {
            EXPECT_EQ(strayBodies(), 0);
        }
    }
    EXPECT_EQ(extensions, 200);
    EXPECT_LT(most, 900u);
    EXPECT_LT(world->cubes.size(), 600u);
    EXPECT_GT(world->points, 0);
    EXPECT_EQ(strayBodies(), 0);
    EXPECT_EQ(world->platforms().bodies().size(), 3u * 201u);
    // Every remaining cube lies ahead of the sweep sensor.
    for (const std::unique_ptr<Cube>& cube : world->cubes)
        EXPECT_LT(cube->startMatrix()[3].z, camera().position.z + 12.5f);
}
