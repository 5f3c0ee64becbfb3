// Micro-benchmarks of the per-frame work: game logic beside the bare physics step, particle
// updates, and the HUD's vertex building. Needs a display (run under xvfb-run).
//   zarnok_bench [Google Benchmark options]

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

#include "allocation_counter.h"
#include "asset_path.h"
#include "game_world.h"
#include "ghost.h"
#include "replay_seeker.h"
#include "gl.h"
#include "hud_panel.h"
#include "particles.h"
#include "replay_files.h"
#include "run.h"
#include "run_screen.h"
#include "scene_resources.h"
#include "text.h"

namespace {

// Keeps the loaders' console lines out of the benchmark's table while alive.
class QuietStdout {
public:
    QuietStdout() : saved(dup(STDOUT_FILENO))
    {
        std::fflush(stdout);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        close(null);
    }
    ~QuietStdout()
    {
        std::fflush(stdout);
        dup2(saved, STDOUT_FILENO);
        close(saved);
    }
    QuietStdout(const QuietStdout&) = delete;
    QuietStdout& operator=(const QuietStdout&) = delete;

private:
    int saved;
};

// A hidden window with a 4.3 core context: the cubes' meshes live on the GPU.
class Context {
public:
    Context()
    {
        if (glfwInit() != GLFW_TRUE) {
            std::fprintf(stderr, "no display: run under xvfb-run\n");
            std::exit(1);
        }
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        window = glfwCreateWindow(64, 64, "zarnok bench", nullptr, nullptr);
        glfwMakeContextCurrent(window);
        glewExperimental = GL_TRUE;
        glewInit();
        prepareProgramData();
    }
    ~Context() { glfwTerminate(); }

private:
    GLFWwindow* window = nullptr;
};

Context& context()
{
    static Context instance;
    return instance;
}

// A world on the start track, or with the first extension's segment added too. The player
// hovers out of reach above the cubes, so every tick does the same work.
struct BenchWorld {
    explicit BenchWorld(bool twoSegments) : run(326, 1280.0f / 768.0f)
    {
        if (twoSegments) {
            run.world().player().camera.position.z = -95.0f;
            run.world().applyRules();
        }
        hover();
    }

    void hover()
    {
        run.world().player().camera.position = glm::vec3(0.0f, 30.0f, -5.0f);
        run.world().player().verticalSpeed = 0.0f;
    }

    Run run;
};

void reportAllocations(benchmark::State& state, long before)
{
    state.counters["allocs/frame"] =
        benchmark::Counter(static_cast<double>(allocationCount() - before), benchmark::Counter::kAvgIterations);
}

void reportCubes(benchmark::State& state, const BenchWorld& bench)
{
    state.counters["cubes"] = static_cast<double>(bench.run.world().cubes.size());
}

// One tick of the game's logic: the player, the world's step, the sensors, the cube pass, the rules.
void GameLogicTick(benchmark::State& state)
{
    BenchWorld bench(state.range(0) == 2);
    for (int i = 0; i < 180; ++i) { // the cubes settle, and go to sleep
        bench.hover();
        bench.run.world().tick({});
    }
    const long before = allocationCount();
    for (auto _ : state) {
        bench.hover();
        bench.run.world().tick({});
    }
    reportAllocations(state, before);
    reportCubes(state, bench);
}
BENCHMARK(GameLogicTick)->Arg(1)->Arg(2)->ArgName("segments")->Unit(benchmark::kMicrosecond);

// The replay `file` (from the source tree), or nothing and the benchmark skipped with the reason.
std::optional<Replay> benchReplay(benchmark::State& state, const char* file)
{
    std::string error;
    std::optional<Replay> replay = loadReplay(resolveAssetPath(file), error);
    if (!replay)
        state.SkipWithError(error.c_str());
    return replay;
}

// One tick of a race on the demo's track: the player's world plays the demo's inputs, and with a
// ghost beside it, the ghost's world plays them too. Both start again when the demo ends.
void RaceTick(benchmark::State& state)
{
    const std::optional<Replay> demo = benchReplay(state, "assets/replays/demo.replay");
    if (!demo)
        return;
    const bool withGhost = state.range(0) == 1;
    std::unique_ptr<Run> player;
    std::unique_ptr<ReplayPlayer> inputs;
    std::unique_ptr<Ghost> ghost;
    const auto restart = [&]() {
        player = std::make_unique<Run>(demo->seed, 1280.0f / 768.0f);
        inputs = std::make_unique<ReplayPlayer>(*demo);
        if (withGhost)
            ghost = std::make_unique<Ghost>(*demo, 1280.0f / 768.0f);
    };
    restart();
    for (auto _ : state) {
        if (inputs->finished()) {
            state.PauseTiming();
            restart();
            state.ResumeTiming();
        }
        player->world().tick(inputs->next());
        if (ghost)
            ghost->tick();
    }
}
BENCHMARK(RaceTick)->Arg(0)->Arg(1)->ArgName("ghost")->Unit(benchmark::kMicrosecond);

// The replay viewer's longest seeks in a run of three minutes (record_long_run made it). Before
// its checkpoints are made: from the start to the end, every tick played. Once they are: from the
// end back to just before the first checkpoint, the run played again from its start to there.
void ReplaySeek(benchmark::State& state)
{
    const std::optional<Replay> run = benchReplay(state, "tests/data/replays/long-run.replay");
    if (!run)
        return;
    const bool checkpoints = state.range(0) == 1;
    const std::uint32_t firstCheckpoint = run->ticks / (ReplaySeeker::kCheckpoints + 1);
    for (auto _ : state) {
        state.PauseTiming();
        auto seeker = std::make_unique<ReplaySeeker>(*run, 1280.0f / 768.0f);
        if (checkpoints) {
            while (seeker->prepare(1000)) {
            }
            seeker->seek(run->ticks);
        }
        state.ResumeTiming();
        seeker->seek(checkpoints ? firstCheckpoint - 1 : run->ticks);
        state.PauseTiming();
        seeker.reset();
        state.ResumeTiming();
    }
    state.counters["ticks"] = static_cast<double>(run->ticks);
}
BENCHMARK(ReplaySeek)->Arg(0)->Arg(1)->ArgName("checkpoints")->Unit(benchmark::kMillisecond)->Iterations(3);

void BareBulletStep(benchmark::State& state)
{
    BenchWorld bench(state.range(0) == 2);
    for (int i = 0; i < 180; ++i) {
        bench.hover();
        bench.run.world().tick({});
    }
    const long before = allocationCount();
    for (auto _ : state) {
        bench.hover();
        bench.run.physics().step();
    }
    reportAllocations(state, before);
    reportCubes(state, bench);
}
BENCHMARK(BareBulletStep)->Arg(1)->Arg(2)->ArgName("segments")->Unit(benchmark::kMicrosecond);

void ParticleUpdate(benchmark::State& state)
{
    context();
    std::unique_ptr<ParticleEmitter> glideEmitter;
    std::unique_ptr<ParticleEmitter> doublePointsEmitter;
    {
        QuietStdout quiet;
        initParticleBuffers();
        glideEmitter =
            std::make_unique<ParticleEmitter>("assets/textures/star_particle.dds", glm::vec3(0, 0, -100), 5.0f, 1.6f,
                                              2.0f, 300.0f, 2.0f, 32, 128, 256, glm::vec3(0, 5, 0));
        doublePointsEmitter =
            std::make_unique<ParticleEmitter>("assets/textures/star_particle.dds", glm::vec3(0, 0, 100), 1.5f, 2.8f,
                                              0.4f, 500.0f, 3.0f, 256, 64, 16, glm::vec3(0, 1.5f, 0));
    }
    ParticleEmitter& glide = *glideEmitter;
    ParticleEmitter& doublePoints = *doublePointsEmitter;
    glm::vec3 camera(0.0f);
    for (int i = 0; i < 600; ++i) { // ten seconds: both fountains at their steady size
        glide.update(1.0f / 60.0f, camera);
        doublePoints.update(1.0f / 60.0f, camera);
    }
    const long before = allocationCount();
    for (auto _ : state) {
        camera.z -= 2.0f / 60.0f;
        glide.update(1.0f / 60.0f, camera);
        doublePoints.update(1.0f / 60.0f, camera);
    }
    reportAllocations(state, before);
    state.counters["live"] = glide.liveCount() + doublePoints.liveCount();
    releaseParticleBuffers();
}
BENCHMARK(ParticleUpdate)->Unit(benchmark::kMicrosecond);

void HudVertices(benchmark::State& state)
{
    ScreenState screen;
    screen.width = 1280;
    screen.height = 768;
    screen.activeKind = PowerupKind::DoublePoints;
    screen.shifting = true;
    // As the game draws it: items and vertices written over last frame's storage.
    std::vector<ScreenItem> items;
    TextVertices vertices;
    hudItems(screen, items);
    const long before = allocationCount();
    for (auto _ : state) {
        screen.points = static_cast<std::int32_t>(state.iterations());
        hudItems(screen, items);
        for (const ScreenItem& item : items) {
            if (const TextItem* text = std::get_if<TextItem>(&item)) {
                fillTextVertices(vertices, text->text, text->x, text->y, text->size, text->centered);
                benchmark::DoNotOptimize(vertices.positions.data());
            } else if (const PanelItem* panel = std::get_if<PanelItem>(&item)) {
                benchmark::DoNotOptimize(HudPanel::vertices(panel->x, panel->y, panel->width, panel->height));
            }
        }
    }
    reportAllocations(state, before);
}
BENCHMARK(HudVertices)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
