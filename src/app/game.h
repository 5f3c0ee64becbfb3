#pragma once

#include <glm/glm.hpp>
#include <memory>
#include <optional>
#include <vector>

#include "app_settings.h"
#include "best_score.h"
#include "frame_pacer.h"
#include "frame_timer.h"
#include "game_world.h"
#include "lighting.h"
#include "particles.h"
#include "post_process.h"
#include "run.h"
#include "scene_resources.h"
#include "screens.h"
#include "startup_options.h"
#include "system_clock.h"

struct GLFWwindow;

// The running game: owns the window, the scene and the frame-loop state from start-up to shutdown.
class Game {
public:
    explicit Game(StartupOptions options);

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
    void startRun();
    void endRun();
    void runningStep();
    void setSceneUniforms();
    void updateParticles();
    void drawParticles();
    void applyRules();
    void drawOverlay();
    ScreenState screenState() const;
    void composite();
    void finishFrame();
    void updateTitle();
    // The frame time the game runs on: measured, or a fixed 1/60 s in a benchmark.
    float frameDt() const;
    bool benchmarking() const { return options.benchmarkFrames > 0; }
    bool drawingScene() const { return !options.benchmarkEmpty; }
    // A benchmark and a headless frame are no runs of a player's: they keep no best score.
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
    bool runEnded = false;
    std::optional<BestScore> bestScore;
    std::int32_t sessionBest = 0; // the best of this game's runs, where no best score is kept
    bool newBest = false;         // the run that ended set it
    std::optional<DirectionalLight> light;
    std::unique_ptr<ParticleEmitter> glideEmitter;
    std::unique_ptr<ParticleEmitter> doublePointsEmitter;
    std::unique_ptr<PostProcessFramebuffer> postProcess;

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
