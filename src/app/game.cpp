#include "game.h"

#include "app_state.h"
#include "benchmark_report.h"
#include "console.h"
#include "cube.h"
#include "framework.h"
#include "gl.h"
#include "screenshot.h"
#include "text.h"
#include "window_setup.h"

#include <algorithm>
#include <random>

namespace {
constexpr double kFramePeriod = 1.0 / 60.0;
}

Game::Game(StartupOptions startupOptions) : options(std::move(startupOptions))
{
}

int Game::run()
{
    startUp();
    while (!glfwWindowShouldClose(window)) {
        runFrame();
        if (options.runHeadless)
            break;
        if (benchmarking() && benchmarkFrameSeconds.size() >= static_cast<size_t>(options.benchmarkFrames))
            break;
    }
    if (benchmarking())
        printLine(benchmarkReport(benchmarkFrameSeconds));
    shutDown();
    return 0;
}

void Game::startUp()
{
    windowSettings = loadWindowSettings();
    loadCameraSettings(options);
    rendererSettings = loadRendererSettings(options);
    applyRendererSettings(rendererSettings, appFlags);

    window = openGameWindow(windowSettings);
    if (!initFramework())
        startupFailure("Failed to init framework");
    printLine("Framework was initialized.");
    // A benchmark plays without input, so every run draws the same frames.
    if (!benchmarking())
        installInputCallbacks(window);
    applyInitialGlState(rendererSettings, appFlags);

    initParticleBuffers();
    resources = loadSceneResources();
    initText("assets/textures/Calibri1024_transparent.dds", "assets/shaders/text2d.vert", "assets/shaders/text2d.frag");
    panels = loadHudPanels();
    light.emplace(glm::vec3(1.0f, 0.8f, 0.8f), glm::vec3(-1.0f, -2.0f, 0.0f), true);
    glideEmitter = std::make_unique<ParticleEmitter>("assets/textures/star_particle.dds", glm::vec3(0.0f), 5.0f, 1.6f,
                                                     2.0f, 300.0f, 2.0f, 32, 128, 256, glm::vec3(0.0f, 5.0f, 0.0f));
    doublePointsEmitter =
        std::make_unique<ParticleEmitter>("assets/textures/star_particle.dds", glm::vec3(0.0f), 1.5f, 2.8f, 0.4f,
                                          500.0f, 3.0f, 256, 64, 16, glm::vec3(0.0f, 1.5f, 0.0f));
    if (keepsBestScore())
        bestScore.emplace(BestScore::defaultFile());
    startRun();
    postProcess = PostProcessFramebuffer::create(windowSettings.width, windowSettings.height);
    if (!postProcess)
        startupFailure("Error creating framebuffer object");

    timer = std::make_unique<FrameTimer>(static_cast<float>(glfwGetTime()));
    if (!benchmarking())
        pacer.emplace(clock, kFramePeriod);
    benchmarkFrameSeconds.reserve(static_cast<size_t>(options.benchmarkFrames));
    lastFrameEnd = glfwGetTime();
}

float Game::frameDt() const
{
    return benchmarking() ? 1.0f / 60.0f : timer->dt();
}

void Game::runFrame()
{
    if (appFlags.gameOver)
        appFlags.paused = true;
    beginFrame();
    prevFrameViewProj = world().player().camera.viewProjection();
    glfwPollEvents();
    playAgainIfAsked();
    // Cursor events of the next poll turn the camera only while the game runs.
    world().player().camera.mouseLook = !appFlags.paused;
    if (!appFlags.paused)
        runningStep();
    if (drawingScene())
        setSceneUniforms();
    world().updateCubes(appFlags.paused, appFlags.dropAllRequested, frameDt(), wallClockTicks());
    appFlags.dropAllRequested = false;
    if (!appFlags.paused)
        updateParticles();
    if (drawingScene()) {
        // Culling already on needs no help; lines would show the back edges it hides.
        world().draw(frameDt(), !appFlags.cullingEnabled && !appFlags.wireframeEnabled);
        drawParticles();
    }
    composite();
    if (!appFlags.paused && drawingScene()) {
        hudItems(screenState(), screenItems);
        drawScreenItems(screenItems, panels, windowSettings.width, windowSettings.height);
    }
    applyRules();
    if (drawingScene())
        drawOverlay();
    paceFrame();
    finishFrame();
}

// The world takes one fixed 1/60 s step per frame, so more than 60 frames a second would run the
// game faster than designed; slower machines are not held back. The wait comes right before the
// frame is timed and shown, so frames are shown, and timed, an even 1/60 s apart.
void Game::paceFrame()
{
    if (pacer)
        pacer->waitUntilDue();
}

// The frame starts on a cleared target with depth testing on, whatever the settings said.
// Wireframe frames go straight to the window; all others through the post-process pass.
void Game::beginFrame()
{
    renderToFramebuffer = !appFlags.wireframeEnabled;
    if (renderToFramebuffer)
        postProcess->beginScene();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
}

// A new run: the track, the score and the player as a new game has them, in the same window.
void Game::startRun()
{
    current.reset();
    const float aspectRatio = static_cast<float>(windowSettings.width) / static_cast<float>(windowSettings.height);
    current = std::make_unique<Run>(resources, aspectRatio);
    runEnded = false;
    newBest = false;
    glfwSetWindowUserPointer(window, &world().player().camera);
    // Each fountain marks the platform of its powerup; the other waits behind the start.
    const auto emitterPosition = [&](PowerupKind kind) {
        return glm::vec3(0.0f, 0.0f, world().placedKind == kind ? -100.0f : 100.0f);
    };
    glideEmitter->restart(emitterPosition(PowerupKind::Glide));
    doublePointsEmitter->restart(emitterPosition(PowerupKind::DoublePoints));
    frameViewProj = prevFrameViewProj = world().player().camera.viewProjection();
}

// R on the game-over screen: the next run starts in this frame, from a new track (or, under
// --seed, the same one again) and a first frame of no length.
void Game::playAgainIfAsked()
{
    if (!appFlags.playAgainRequested)
        return;
    appFlags = restartedFlags(appFlags);
    if (options.seedGiven)
        cubeRandom.seed(options.seed);
    else
        cubeRandom.seed(std::random_device{}());
    startRun();
    timer = std::make_unique<FrameTimer>(static_cast<float>(glfwGetTime()));
}

// The run is over, at game over or when the player quits: its points may be a new best.
void Game::endRun()
{
    if (runEnded)
        return;
    runEnded = true;
    newBest = points > sessionBest;
    sessionBest = std::max(sessionBest, points);
    if (bestScore)
        newBest = bestScore->recordRun(points);
}

void Game::runningStep()
{
    PlayerInput input;
    input.forward = appFlags.moveForwardHeld;
    input.backward = appFlags.moveBackwardHeld;
    input.left = appFlags.moveLeftHeld;
    input.right = appFlags.moveRightHeld;
    input.jump = appFlags.jumpRequested;
    appFlags.jumpRequested = false;
    world().runningStep(input, frameDt());
    frameViewProj = world().player().camera.viewProjection();
}

void Game::updateParticles()
{
    const glm::vec3& cameraPosition = world().player().camera.position;
    glideEmitter->update(frameDt(), cameraPosition);
    doublePointsEmitter->update(frameDt(), cameraPosition);
}

void Game::drawParticles()
{
    const glm::mat4 view = world().player().camera.view();
    glideEmitter->draw(view, frameViewProj);
    doublePointsEmitter->draw(view, frameViewProj);
}

void Game::applyRules()
{
    const RuleEvents events = world().applyRules();
    if (events.gameOver && !appFlags.gameOver) {
        appFlags.gameOver = true;
        endRun();
    }
    if (events.collected) {
        ParticleEmitter& emitter = world().placedKind == PowerupKind::Glide ? *glideEmitter : *doublePointsEmitter;
        emitter.position = glm::vec3(0.0f, 0.0f, world().segments.platformZ);
    }
}

ScreenState Game::screenState() const
{
    ScreenState state = screenStateOf(world(), windowSettings.width, windowSettings.height);
    state.best = bestScore ? bestScore->best() : sessionBest;
    state.newBest = newBest;
    return state;
}

void Game::drawOverlay()
{
    if (!appFlags.paused)
        return;
    if (appFlags.gameOver)
        gameOverScreenItems(screenState(), screenItems);
    else
        pauseScreenItems(screenState(), screenItems);
    drawScreenItems(screenItems, panels, windowSettings.width, windowSettings.height);
}

void Game::setSceneUniforms()
{
    const DebugViews debugViews{appFlags.showNormals, appFlags.showTexCoords};
    for (Shader* shader :
         {resources.textureShader.get(), resources.procTextureShader.get(), resources.cubesShader.get()})
        setPerFrameUniforms(*shader, world().player().camera.position, frameViewProj, *light, windowSettings.width,
                            windowSettings.height, debugViews);
}

void Game::composite()
{
    if (renderToFramebuffer)
        postProcess->drawToScreen(resources.composite, frameViewProj, prevFrameViewProj);
}

void Game::finishFrame()
{
    updateTitle();
    // The back buffer's content after a swap is undefined, so the headless capture reads it before.
    if (options.runHeadless)
        writeScreenshot(options.screenshotFileGiven ? options.screenshotFile : "screenshot", windowSettings.width,
                        windowSettings.height);
    glfwSwapBuffers(window);
    if (benchmarking()) {
        const double now = glfwGetTime();
        benchmarkFrameSeconds.push_back(now - lastFrameEnd);
        lastFrameEnd = now;
    }
}

void Game::updateTitle()
{
    if (const std::optional<int> fps = timer->tick(static_cast<float>(glfwGetTime()))) {
        frameRateTitle(windowTitle, windowSettings.title, *fps);
        glfwSetWindowTitle(window, windowTitle.c_str());
    }
}

void Game::shutDown()
{
    if (keepsBestScore())
        endRun();
    printLine("scored  " + std::to_string(points) + " points");
    // Everything below holds GL objects, and the world's cubes hold physics bodies: they go
    // while both the context and the physics world still exist.
    postProcess.reset();
    doublePointsEmitter.reset();
    glideEmitter.reset();
    current.reset();
    resources.release();
    panels = HudPanels{};
    releaseText();
    releaseParticleBuffers();
    shutdownFramework();
    glfwTerminate();
}
