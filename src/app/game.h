#pragma once

#include <glm/glm.hpp>
#include <memory>
#include <optional>
#include <vector>

#include "app_settings.h"
#include "frame_pacer.h"
#include "frame_timer.h"
#include "game_world.h"
#include "lighting.h"
#include "particles.h"
#include "post_process.h"
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

    StartupOptions options;
    WindowSettings windowSettings;
    RendererSettings rendererSettings;
    GLFWwindow* window = nullptr;

    std::unique_ptr<PhysicsWorld> physics;
    SceneResources resources;
    HudPanels panels;
    std::unique_ptr<GameWorld> world;
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
