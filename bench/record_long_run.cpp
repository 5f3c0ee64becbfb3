// Records a long run for the seek benchmark: a player that jumps whenever it can and steers by
// looking ahead. Every half second it tries each way of steering in a forked copy of itself,
// where the world can be played on and thrown away, and goes on with the best; a way that leads
// nowhere is backed out of, in the process that chose it. Linux only, and never part of a game.
//
//   record_long_run OUT [SEED] [TICKS]    writes a replay of TICKS ticks (10800: 3 minutes)
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "replay_files.h"
#include "run.h"

namespace {

constexpr int kStepTicks = 30;  // a choice holds this long
constexpr int kProbeTicks = 30; // and is judged by this many more, running straight on
constexpr size_t kTriedPerStep = 4;

struct Choice {
    float yaw;
    bool left;
    bool right;
    bool fast; // W held at twice the speed: long jumps, over the gap after a platform
};

std::vector<Choice> choices()
{
    std::vector<Choice> all;
    for (bool fast : {false, true})
        for (float yaw : {-90.0f, -105.0f, -75.0f, -120.0f, -60.0f})
            for (int side = 0; side < 3; ++side)
                all.push_back({yaw, side == 1, side == 2, fast});
    return all;
}

TickInput inputOf(const Choice& choice)
{
    TickInput input;
    input.jump = true;
    input.yaw = choice.yaw;
    input.left = choice.left;
    input.right = choice.right;
    input.forward = choice.fast;
    input.movementSpeed = choice.fast ? 2.0f : 1.0f;
    return input;
}

struct Search {
    Run run;
    ReplayRecorder recorder;
    std::uint32_t target;
    std::string out;
    std::chrono::steady_clock::time_point deadline;
};

// Whether the runner still stands on, or over, the track: below the cubes' tops it can only fall.
bool alive(const Run& run)
{
    return run.world().player().camera.position.y > -1.0f;
}

// Plays `input` for `ticks` ticks, recording them; false when the run falls meanwhile.
bool play(Search& search, const TickInput& input, int ticks)
{
    for (int i = 0; i < ticks; ++i) {
        search.recorder.record(input);
        if (search.run.world().tick(input).gameOver || !alive(search.run))
            return false;
        if (search.run.world().ticks() >= search.target)
            return true;
    }
    return true;
}

// In a child: how far the choice gets, as an exit status (2 per tick alive, 1 more on the ground).
int probe(Search& search, const Choice& choice)
{
    const pid_t child = fork();
    if (child == 0) {
        int alive = 0;
        for (int i = 0; i < kStepTicks + kProbeTicks; ++i) {
            if (!play(search, inputOf(i < kStepTicks ? choice : Choice{-90.0f, false, false, choice.fast}), 1))
                break;
            ++alive;
        }
        _exit(std::min(alive * 2 + (search.run.world().player().onGround ? 1 : 0), 250));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 0;
}

// Goes on from here to the target; the process that gets there writes the replay.
bool extend(Search& search)
{
    const auto ticks = static_cast<std::uint32_t>(search.run.world().ticks());
    if (ticks >= search.target) {
        std::string error;
        const Replay replay = search.recorder.finish(search.run.world().points, worldStateHash(search.run.world()));
        if (!saveReplay(search.out, replay, error)) {
            std::fprintf(stderr, "Cannot write '%s': %s\n", search.out.c_str(), error.c_str());
            return false;
        }
        std::printf("Recorded %u ticks on seed %u: %d points.\n", replay.ticks, search.run.seed(), replay.finalPoints);
        return true;
    }
    if (std::chrono::steady_clock::now() > search.deadline)
        return false;
    if (ticks % 600 == 0)
        std::fprintf(stderr, "tick %u, %d points\n", ticks, search.run.world().points);
    std::vector<std::pair<int, Choice>> ranked;
    for (const Choice& choice : choices())
        ranked.emplace_back(probe(search, choice), choice);
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (size_t i = 0; i < kTriedPerStep && i < ranked.size() && ranked[i].first > 0; ++i) {
        const pid_t child = fork();
        if (child == 0)
            _exit(play(search, inputOf(ranked[i].second), kStepTicks) && extend(search) ? 0 : 1);
        int status = 0;
        waitpid(child, &status, 0);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: record_long_run OUT [SEED] [TICKS]\n");
        return 2;
    }
    const auto seed = static_cast<std::uint32_t>(argc > 2 ? std::stoul(argv[2]) : 2023);
    const auto ticks = static_cast<std::uint32_t>(argc > 3 ? std::stoul(argv[3]) : 10800);
    Search search{Run(seed, 1280.0f / 768.0f), ReplayRecorder(seed), ticks, argv[1],
                  std::chrono::steady_clock::now() + std::chrono::minutes(30)};
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (extend(search))
        return 0;
    std::fprintf(stderr, "No run of %u ticks found on seed %u.\n", ticks, seed);
    return 1;
}
