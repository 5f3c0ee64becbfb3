#pragma once

#include <glm/glm.hpp>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app_settings.h"
#include "best_score.h"
#include "camera.h"
#include "fixed_ticks.h"
#include "frame_pacer.h"
#include "frame_timer.h"
#include "game_world.h"
#include "lighting.h"
#include "particles.h"
#include "post_process.h"
#include "replay.h"
#include "run.h"
#include "scene_resources.h"
#include "screens.h"
#include "startup_options.h"
#include "system_clock.h"
#include "track_drawer.h"

struct GLFWwindow;

// The running game: owns the window, the scene and the frame-loop state from start-up to shutdown.
class Game {
public:
    // With `replay`, the game shows that recorded run and nothing else.
    Game(StartupOptions options, std::optional<Replay> replay = std::nullopt);

    // Start-up, the frame loop until the window closes (or one frame when headless), shutdown.
    // Returns the process exit status; a start-up failure ends the process on its own.
    int run();

private:
    void startUp();
    void runFrame();
    void shutDown();

    void paceFrame();
    void beginFrame();
    void playAgainIfAsked();
    void watchBestRun();
    void startRun(std::uint32_t seed);
    void endRun();
    void saveReplays(bool newBest);
    void runTicks();
    TickInput takeInput();
    void reactTo(const RuleEvents& events);
    void endReplay();
    void notePauseChange();
    void placeView();
    void setSceneUniforms();
    void updateParticles();
    void drawParticles();
    void drawOverlay();
    ScreenState screenState() const;
    void composite();
    void finishFrame();
    void updateTitle(double now);
    // A line for the console, said once the frame that shows it is on the screen.
    void say(std::string line);
    // The frame time the game runs on: measured, or a fixed 1/60 s in a benchmark.
    float frameDt() const;
    std::uint32_t newSeed() const;
    bool benchmarking() const { return options.benchmarkFrames > 0; }
    bool drawingScene() const { return !options.benchmarkEmpty; }
    // A benchmark and a headless frame are no runs of a player's: they keep no best score or
    // replay, and say nothing of runs.
    bool keepsBestScore() const { return !benchmarking() && !options.runHeadless; }
    GameWorld& world() { return current->world(); }
    const GameWorld& world() const { return current->world(); }

    StartupOptions options;
    WindowSettings windowSettings;
    RendererSettings rendererSettings;
    GLFWwindow* window = nullptr;

    SceneResources resources;
    HudPanels panels;
    std::unique_ptr<Run> current;
    std::unique_ptr<TrackDrawer> drawer;
    std::optional<ReplayRecorder> recorder; // a player's run, tick by tick
    std::optional<ReplayPlayer> playback;   // a recorded run being shown
    bool runEnded = false;
    std::optional<BestScore> bestScore;
    std::int32_t sessionBest = 0; // the best of this game's runs, where no best score is kept
    bool newBest = false;         // the run that ended set it
    bool bestRunSaved = false;    // there is a best run to watch
    std::optional<DirectionalLight> light;
    std::unique_ptr<ParticleEmitter> glideEmitter;
    std::unique_ptr<ParticleEmitter> doublePointsEmitter;
    std::unique_ptr<PostProcessFramebuffer> postProcess;

    // What the frame is seen from. The mouse and the wheel change it at once, in the event poll;
    // the next tick takes its direction and speed into the run.
    Camera view{glm::vec3(0.0f), 1.0f};
    FixedTicks ticks;
    float blend = 0.0f;        // where between its last two ticks the world is drawn
    double frameSeconds = 0.0; // the real time the previous frame took
    double lastFrameTime = 0.0;
    bool wasPaused = false;
    std::vector<std::string> statusLines;
    std::string gameOverLine; // said with the first frame of the game-over screen

    std::unique_ptr<FrameTimer> timer;
    SystemClock clock;
    std::optional<FramePacer> pacer; // none in a benchmark, which measures unpaced frames
    std::vector<double> benchmarkFrameSeconds;
    std::vector<ScreenItem> screenItems; // rewritten every frame
    std::string windowTitle;
    double lastFrameEnd = 0.0;
    bool renderToFramebuffer = false;
    glm::mat4 frameViewProj{1.0f};
    glm::mat4 prevFrameViewProj{1.0f};
};
