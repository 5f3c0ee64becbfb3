#include "game.h"

#include "app_state.h"
#include "benchmark_report.h"
#include "console.h"
#include "cube.h"
#include "framework.h"
#include "gl.h"
#include "key_input.h"
#include "options_screen.h"
#include "screenshot.h"
#include "text.h"
#include "user_data.h"
#include "window_setup.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <utility>

namespace {

// A benchmark plays the same track every time unless told otherwise.
constexpr std::uint32_t kBenchmarkSeed = 326;

// How fast a gamepad's right stick, pushed all the way, turns the view.
constexpr float kPadDegreesPerSecond = 120.0f;

std::string quoted(const std::filesystem::path& path)
{
    return "'" + path.string() + "'";
}

} // namespace

Game::Game(StartupOptions startupOptions, std::optional<Replay> replay) : options(std::move(startupOptions))
{
    if (replay) {
        playback.emplace(std::move(*replay));
        appFlags.replayOnly = true;
        appFlags.watchingReplay = true;
    }
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

// In the order the game's design gives: the settings, the window and its context, the physics
// world, the render resources, the track and the player, the light, the fountains, the scene's
// framebuffer, and the frame loop's state.
void Game::startUp()
{
    loadSettings();
    openWindow();
    auto physics = std::make_unique<PhysicsWorld>(btVector3(0.0f, -9.81f, 0.0f));
    initParticleBuffers();
    resources = loadSceneResources();
    initText("assets/textures/Calibri1024_transparent.dds", "assets/shaders/text2d.vert", "assets/shaders/text2d.frag");
    panels = loadHudPanels();
    startPlayersServices();
    startRun(playback ? playback->recorded().seed : newSeed(), std::move(physics));
    loadPowerupModels(resources);
    light.emplace(glm::vec3(1.0f, 0.8f, 0.8f), glm::vec3(-1.0f, -2.0f, 0.0f), true);
    glideEmitter = std::make_unique<ParticleEmitter>("assets/textures/star_particle.dds", glm::vec3(0.0f), 5.0f, 1.6f,
                                                     2.0f, 300.0f, 2.0f, 32, 128, 256, glm::vec3(0.0f, 5.0f, 0.0f));
    doublePointsEmitter =
        std::make_unique<ParticleEmitter>("assets/textures/star_particle.dds", glm::vec3(0.0f), 1.5f, 2.8f, 0.4f,
                                          500.0f, 3.0f, 256, 64, 16, glm::vec3(0.0f, 1.5f, 0.0f));
    placeEmitters();
    applyQuality();
    if (!postProcess)
        startupFailure("Error creating framebuffer object");

    frameViewProj = prevFrameViewProj = glm::mat4(1.0f);
    if (!benchmarking())
        pacer.emplace(clock, displayFramePeriod(window));
    benchmarkFrameSeconds.reserve(static_cast<size_t>(options.benchmarkFrames));
    lastFrameEnd = lastFrameTime = glfwGetTime();
}

// The settings files give the defaults; the player's own options override them.
void Game::loadSettings()
{
    windowSettings = loadWindowSettings();
    loadCameraSettings(options);
    rendererSettings = loadRendererSettings(options);
    applyRendererSettings(rendererSettings, appFlags);
    if (!playersSession())
        return;
    optionsFile.emplace(OptionsFile::defaultFile());
    PlayerOptions defaults;
    defaults.video.fullscreen = windowSettings.fullscreen;
    playerOptions = optionsFile->load(defaults);
    windowSettings.fullscreen = playerOptions.video.fullscreen;
}

void Game::openWindow()
{
    startGlfw();
    chooseQualityForThisMachine();
    windowSamples = presetOf(quality()).samples;
    windowSettings.samples = windowSamples;
    window = openGameWindow(windowSettings);
    gameWindow.emplace(window);
    input.view = &view;
    glfwSetWindowUserPointer(window, &input);
    // Vsync where the driver offers it, except in a benchmark, which measures unpaced frames.
    glfwSwapInterval(benchmarking() ? 0 : 1);
    if (!initFramework())
        startupFailure("Failed to init framework");
    printLine("Framework was initialized.");
    // A benchmark plays without input, so every run draws the same frames.
    if (!benchmarking())
        installInputCallbacks(window);
    applyInitialGlState(rendererSettings, appFlags);
}

// A player who never chose a graphics quality gets Low on a software renderer, which cannot draw
// the designed picture at a smooth rate; the choice is saved, and theirs to change.
void Game::chooseQualityForThisMachine()
{
    if (!optionsFile || optionsFile->holdsQuality() || !options.quality.empty())
        return;
    const std::string renderer = probeRenderer(windowSettings);
    if (!isSoftwareRenderer(renderer))
        return;
    playerOptions.video.quality = Quality::Low;
    printLine("Graphics quality Low: " + renderer +
              " draws in software here. The options screen (Escape, then O) can change it.");
    optionsFile->save(playerOptions);
}

Quality Game::quality() const
{
    // Pictures are compared at the quality they were designed at.
    if (options.runHeadless)
        return Quality::High;
    if (!options.quality.empty())
        return qualityFromName(options.quality).value_or(Quality::High);
    return playerOptions.video.quality;
}

// Sound, the gamepad, and the best score: a player's game has them, a headless run or a
// benchmark not.
void Game::startPlayersServices()
{
    if (!playersSession())
        return;
    startAudio();
    const std::filesystem::path config = userConfigFolder();
    gamepads.emplace(config.empty() ? std::filesystem::path() : config / "gamecontrollerdb.txt");
    if (playback)
        return;
    bestScore.emplace(BestScore::defaultFile());
    const std::optional<std::filesystem::path> replays = replayFolder();
    bestRunSaved = replays && std::filesystem::is_regular_file(*replays / "best.replay");
}

// What the graphics quality draws: the scene's target (its size and the motion blur) and the
// fountains' particles. The window's multisampling waits for the next start.
void Game::applyQuality()
{
    const QualityPreset preset = presetOf(quality());
    const auto scaled = [&](int side) {
        return std::max(1, static_cast<int>(std::lround(static_cast<float>(side) * preset.renderScale)));
    };
    std::unique_ptr<PostProcessFramebuffer> target = PostProcessFramebuffer::create(
        scaled(gameWindow->width()), scaled(gameWindow->height()), preset.motionBlur);
    if (target)
        postProcess = std::move(target);
    else if (postProcess)
        printLine("Cannot draw the scene at " + std::to_string(gameWindow->width()) + " x " +
                  std::to_string(gameWindow->height()) + ": the framebuffer is incomplete. It stays as it was.");
    glideEmitter->setDensity(preset.particleShare);
    doublePointsEmitter->setDensity(preset.particleShare);
}

float Game::frameDt() const
{
    return benchmarking() ? 1.0f / 60.0f : timer->dt();
}

std::uint32_t Game::newSeed() const
{
    if (options.seedGiven)
        return options.seed;
    if (benchmarking())
        return kBenchmarkSeed;
    return std::random_device{}();
}

void Game::runFrame()
{
    // The frame after the fall is the first to show the game-over screen, and says so.
    if (appFlags.gameOver) {
        appFlags.paused = true;
        if (!gameOverLine.empty())
            say(std::exchange(gameOverLine, std::string()));
    }
    // Where the view stood before this frame's input and ticks moved it: the blur's other end.
    prevFrameViewProj = view.viewProjection();
    glfwPollEvents();
    followWindow();
    if (gameWindow->minimised()) {
        paceFrame(); // and draws nothing
        return;
    }
    followGamepad();
    workOptions();
    playAgainIfAsked();
    notePauseChange();
    // Cursor events of the next poll turn the view only while the player's own game runs.
    view.mouseLook = !appFlags.paused && !appFlags.watchingReplay;
    if (view.mouseLook)
        view.turnBy(kPadDegreesPerSecond * pad.lookX * static_cast<float>(frameSeconds),
                    kPadDegreesPerSecond * pad.lookY * static_cast<float>(frameSeconds));
    beginFrame();
    if (!appFlags.paused)
        runTicks();
    else
        appFlags.dropAllRequested = false; // 2 released while paused asks for nothing
    updateAudio();
    placeView();
    frameViewProj = view.viewProjection();
    if (drawingScene())
        setSceneUniforms();
    if (!appFlags.paused)
        updateParticles();
    if (drawingScene()) {
        // Culling already on needs no help; lines would show the back edges it hides.
        drawer->draw(world(), view.position, blend, frameDt(), !appFlags.cullingEnabled && !appFlags.wireframeEnabled);
        drawParticles();
    }
    composite();
    if (!appFlags.paused && drawingScene()) {
        hudItems(screenState(), screenItems);
        drawScreenItems(screenItems, panels, gameWindow->width(), gameWindow->height());
    }
    if (drawingScene())
        drawOverlay();
    paceFrame();
    finishFrame();
}

// At most one frame per refresh of the display: more could not be seen. The wait comes right
// before the frame is timed and shown, so frames are shown, and timed, an even period apart.
void Game::paceFrame()
{
    if (pacer)
        pacer->waitUntilDue();
}

void Game::followWindow()
{
    if (std::exchange(input.fullscreenRequested, false)) {
        PlayerOptions changed = playerOptions;
        changed.video.fullscreen = !gameWindow->fullscreen();
        applyOptions(changed);
    }
    if (gameWindow->followFramebuffer())
        resizeDrawing();
    // A window that cannot be seen, or that the player has left, pauses the game; it never
    // resumes on its own. Only a player leaves: a headless run or a benchmark opens its window
    // among others and must draw its frames whichever of them has the focus.
    const bool focusLost = playersSession() && gameWindow->lostFocus() && playerOptions.input.pauseOnFocusLoss;
    if ((gameWindow->minimised() || focusLost) && !appFlags.gameOver)
        appFlags.paused = true;
}

// Everything drawn follows the framebuffer: the scene's target, the projection, the overlays.
void Game::resizeDrawing()
{
    const int width = gameWindow->width();
    const int height = gameWindow->height();
    glViewport(0, 0, width, height);
    applyQuality();
    view.setAspectRatio(static_cast<float>(width) / static_cast<float>(height));
    prevFrameViewProj = view.viewProjection();
    say("Drawing at " + std::to_string(width) + " x " + std::to_string(height) + ".");
}

void Game::followGamepad()
{
    if (!gamepads)
        return;
    pad = gamepads->poll();
    if (optionsMenu)
        return; // the options screen takes it
    if (pad.back && appFlags.paused)
        glfwSetWindowShouldClose(window, GLFW_TRUE);
    if (pad.start && !appFlags.gameOver)
        appFlags.paused = !appFlags.paused;
    // A replay plays the recorded input; the pad may only pause it and quit.
    if ((appFlags.watchingReplay && !appFlags.gameOver) || appFlags.replayOnly)
        return;
    if (appFlags.gameOver) {
        appFlags.playAgainRequested = appFlags.playAgainRequested || pad.a;
        appFlags.bestRunRequested = appFlags.bestRunRequested || pad.x;
    } else if (appFlags.paused) {
        appFlags.optionsRequested = appFlags.optionsRequested || pad.y;
    } else {
        appFlags.jumpRequested = appFlags.jumpRequested || pad.a;
    }
}

void Game::workOptions()
{
    if (std::exchange(appFlags.optionsRequested, false) && !optionsMenu)
        openOptions();
    if (!optionsMenu)
        return;
    int windowWidth = 0;
    int windowHeight = 0;
    glfwGetWindowSize(window, &windowWidth, &windowHeight);
    const float scale =
        windowWidth > 0 ? static_cast<float>(gameWindow->width()) / static_cast<float>(windowWidth) : 1.0f;
    const std::vector<KeyEvent> after =
        workOptionsMenu(*optionsMenu, input, pad, scale, gameWindow->width(), gameWindow->height());
    if (optionsMenu->options() != playerOptions)
        applyOptions(optionsMenu->options());
    if (!optionsMenu->closed())
        return;
    closeOptions();
    for (const KeyEvent& event : after)
        playKey(window, event.key, event.action, event.mods);
}

// The pointer is free on the options screen, for clicking; mouse look has it again after.
void Game::openOptions()
{
    optionsMenu.emplace(playerOptions, windowSamples);
    input.menuOpen = true;
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
}

void Game::closeOptions()
{
    optionsMenu.reset();
    input.menuOpen = false;
    input.menuKeys.clear();
    input.clicks.clear();
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
    input.cursor.forget();
}

void Game::applyOptions(const PlayerOptions& changed)
{
    const bool fullscreenChanged = changed.video.fullscreen != playerOptions.video.fullscreen;
    const bool qualityChanged = changed.video.quality != playerOptions.video.quality;
    playerOptions = changed;
    if (qualityChanged)
        applyQuality();
    applyInputOptions();
    mutedVolumes.reset(); // the mixer hears the volumes again
    if (fullscreenChanged) {
        gameWindow->setFullscreen(playerOptions.video.fullscreen, windowSettings.width, windowSettings.height);
        if (pacer)
            pacer.emplace(clock, displayFramePeriod(window));
    }
    if (!playerOptions.video.showFps)
        glfwSetWindowTitle(window, windowSettings.title.c_str());
    if (optionsMenu)
        optionsMenu->follow(playerOptions);
    if (optionsFile)
        optionsFile->save(playerOptions);
}

void Game::applyInputOptions()
{
    input.bindings = playerOptions.keys;
    input.cursor.invertY = playerOptions.input.invertMouseY;
    view.mouseSensitivity = 0.1f * playerOptions.input.mouseSensitivity;
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

// A new run: the track, the score and the player as a new game has them, in the same window. Its
// first frame runs no tick.
void Game::startRun(std::uint32_t seed, std::unique_ptr<PhysicsWorld> physics)
{
    drawer.reset();
    current.reset();
    const float aspectRatio = static_cast<float>(gameWindow->width()) / static_cast<float>(gameWindow->height());
    if (!physics)
        physics = std::make_unique<PhysicsWorld>(btVector3(0.0f, -9.81f, 0.0f));
    current = std::make_unique<Run>(std::move(physics), seed, aspectRatio);
    drawer = std::make_unique<TrackDrawer>(resources);
    recorder.reset();
    if (playersSession() && !playback)
        recorder.emplace(seed);
    runEnded = false;
    newBest = false;
    view = world().player().camera;
    applyInputOptions();
    placeEmitters();
    frameViewProj = prevFrameViewProj = view.viewProjection();
    runSounds = RunSounds{};
    if (mixer)
        mixer->startMusic(static_cast<int>(SoundId::Music));
    ticks = FixedTicks{};
    blend = 0.0f;
    frameSeconds = 0.0;
    wasPaused = false;
    timer = std::make_unique<FrameTimer>(static_cast<float>(glfwGetTime()));
    if (playback)
        say("Replaying a run of " + std::to_string(playback->recorded().ticks) + " ticks on seed " +
            std::to_string(seed) + ".");
    else
        say("Run started with seed " + std::to_string(seed) + ".");
}

// Each fountain marks the platform of its powerup; the other waits behind the start.
void Game::placeEmitters()
{
    if (!glideEmitter)
        return;
    const auto emitterPosition = [&](PowerupKind kind) {
        return glm::vec3(0.0f, 0.0f, world().placedKind == kind ? -100.0f : 100.0f);
    };
    glideEmitter->restart(emitterPosition(PowerupKind::Glide));
    doublePointsEmitter->restart(emitterPosition(PowerupKind::DoublePoints));
}

// R on the game-over screen plays again: a new track, or under --seed the same one again. B
// shows the best run.
void Game::playAgainIfAsked()
{
    if (appFlags.bestRunRequested) {
        appFlags.bestRunRequested = false;
        watchBestRun();
    }
    if (!appFlags.playAgainRequested)
        return;
    appFlags = restartedFlags(appFlags);
    playback.reset();
    startRun(newSeed());
}

void Game::watchBestRun()
{
    const std::optional<std::filesystem::path> replays = replayFolder();
    if (!replays)
        return;
    const std::filesystem::path file = *replays / "best.replay";
    std::string error;
    std::optional<Replay> replay = loadReplay(file, error);
    if (!replay) {
        printLine("Cannot watch the best run " + quoted(file) + ": " + error + ".");
        return;
    }
    appFlags = restartedFlags(appFlags);
    appFlags.watchingReplay = true;
    const std::uint32_t seed = replay->seed;
    playback.emplace(std::move(*replay));
    startRun(seed);
}

// The run is over, at game over or when the player quits: its points may be a new best, and it
// is kept as the last run. A replay being shown is no run of the player's.
void Game::endRun()
{
    if (runEnded || playback)
        return;
    runEnded = true;
    newBest = points > sessionBest;
    sessionBest = std::max(sessionBest, points);
    if (bestScore)
        newBest = bestScore->recordRun(points);
    saveReplays(newBest);
}

void Game::saveReplays(bool isBest)
{
    const std::optional<std::filesystem::path> folder = replayFolder();
    if (!recorder || !folder)
        return;
    const Replay replay = recorder->finish(points, worldStateHash(world()));
    const auto save = [&](const char* name) {
        const std::filesystem::path file = *folder / name;
        std::string error;
        if (saveReplay(file, replay, error))
            return true;
        printLine("Could not save the replay to " + quoted(file) + ": " + error + ".");
        return false;
    };
    // One line is enough: where the last run cannot be saved, the best cannot either.
    if (save("last.replay") && isBest && save("best.replay"))
        bestRunSaved = true;
}

// As many ticks as the time since the last frame calls for; a benchmark runs one per frame.
void Game::runTicks()
{
    const int due = benchmarking() ? 1 : ticks.advance(frameSeconds);
    blend = benchmarking() ? 1.0f : ticks.blend();
    for (int i = 0; i < due && !appFlags.gameOver; ++i) {
        const TickInput input = playback ? playback->next() : takeInput();
        if (recorder)
            recorder->record(input);
        const TickEvents events = world().tick(input);
        cues.clear();
        runSounds.cuesOf(events, world(), world().ticks(), cues);
        for (const SoundCue& cue : cues)
            play(cue);
        reactTo(events);
        if (playback && playback->finished() && !appFlags.gameOver)
            endReplay();
    }
}

// What the player asked for since the last tick, and where the view looks now.
TickInput Game::takeInput()
{
    TickInput tick;
    tick.forward = appFlags.moveForwardHeld || pad.forward;
    tick.backward = appFlags.moveBackwardHeld || pad.backward;
    tick.left = appFlags.moveLeftHeld || pad.left;
    tick.right = appFlags.moveRightHeld || pad.right;
    tick.jump = std::exchange(appFlags.jumpRequested, false);
    tick.dropAll = std::exchange(appFlags.dropAllRequested, false);
    tick.yaw = view.yaw;
    tick.pitch = view.pitch;
    tick.movementSpeed = view.movementSpeed;
    return tick;
}

void Game::reactTo(const TickEvents& events)
{
    if (events.collected) {
        ParticleEmitter& emitter = world().placedKind == PowerupKind::Glide ? *glideEmitter : *doublePointsEmitter;
        emitter.position = glm::vec3(0.0f, 0.0f, world().segments.platformZ);
    }
    if (events.gameOver && !appFlags.gameOver) {
        appFlags.gameOver = true;
        endRun();
        if (newBest)
            play({SoundId::NewBest, 0.9f});
        gameOverLine =
            "Game over at tick " + std::to_string(world().ticks()) + " with " + std::to_string(points) + " points.";
    }
}

// A recorded run that was quit rather than lost ends where its recording does.
void Game::endReplay()
{
    appFlags.gameOver = true;
    gameOverLine =
        "The replay ended at tick " + std::to_string(world().ticks()) + " with " + std::to_string(points) + " points.";
}

void Game::notePauseChange()
{
    if (appFlags.paused == wasPaused || appFlags.gameOver)
        return;
    wasPaused = appFlags.paused;
    play({appFlags.paused ? SoundId::PauseOpen : SoundId::PauseClose, 0.6f});
    if (appFlags.paused)
        say("Paused at tick " + std::to_string(world().ticks()) + " with " + std::to_string(points) + " points.");
    else
        say("Resumed at tick " + std::to_string(world().ticks()) + ".");
}

void Game::startAudio()
{
    mixer = std::make_unique<Mixer>(loadGameSounds());
    audioOutput = AudioOutput::open(*mixer);
    if (!audioOutput)
        mixer.reset();
}

void Game::play(const SoundCue& cue)
{
    if (mixer)
        mixer->play(static_cast<int>(cue.id), cue.gain, cue.pan, cue.rate);
}

void Game::updateAudio()
{
    if (!mixer)
        return;
    // Softer under the pause screen, silent once the run is over.
    const float level = appFlags.gameOver ? 0.0f : appFlags.paused ? 0.35f : 1.0f;
    if (level != musicLevel) {
        musicLevel = level;
        mixer->setMusicLevel(level);
    }
    if (mutedVolumes != appFlags.muted) {
        mutedVolumes = appFlags.muted;
        const AudioOptions& volumes = playerOptions.audio;
        mixer->setVolumes(appFlags.muted ? 0.0f : static_cast<float>(volumes.master) / 100.0f,
                          static_cast<float>(volumes.music) / 100.0f, static_cast<float>(volumes.effects) / 100.0f);
    }
}

// The frame shows the run `blend` of the way from its tick before last to its last. The player
// looks where the mouse left the view; a replay, where the recorded run looked.
void Game::placeView()
{
    const Player& player = world().player();
    const Camera between = cameraBetween(player.previousCamera, player.camera, blend);
    view.position = between.position;
    if (playback)
        view.turnTo(between.yaw, between.pitch);
}

void Game::updateParticles()
{
    glideEmitter->update(frameDt(), view.position);
    doublePointsEmitter->update(frameDt(), view.position);
}

void Game::drawParticles()
{
    const glm::mat4 viewMatrix = view.view();
    glideEmitter->draw(viewMatrix, frameViewProj);
    doublePointsEmitter->draw(viewMatrix, frameViewProj);
}

ScreenState Game::screenState() const
{
    ScreenState state = screenStateOf(world(), gameWindow->width(), gameWindow->height());
    state.best = bestScore ? bestScore->best() : sessionBest;
    state.newBest = newBest;
    state.replay = playback.has_value();
    state.canPlayAgain = !appFlags.replayOnly;
    state.bestRunSaved = bestRunSaved;
    return state;
}

void Game::drawOverlay()
{
    if (!appFlags.paused)
        return;
    if (optionsMenu)
        optionsScreenItems(*optionsMenu, gameWindow->width(), gameWindow->height(), screenItems);
    else if (appFlags.gameOver)
        gameOverScreenItems(screenState(), screenItems);
    else
        pauseScreenItems(screenState(), screenItems);
    drawScreenItems(screenItems, panels, gameWindow->width(), gameWindow->height());
}

void Game::setSceneUniforms()
{
    const DebugViews debugViews{appFlags.showNormals, appFlags.showTexCoords};
    for (Shader* shader :
         {resources.textureShader.get(), resources.procTextureShader.get(), resources.cubesShader.get()})
        setPerFrameUniforms(*shader, view.position, frameViewProj, *light, gameWindow->width(), gameWindow->height(),
                            debugViews);
}

void Game::composite()
{
    if (renderToFramebuffer)
        postProcess->drawToScreen(resources.composite, frameViewProj, prevFrameViewProj);
}

void Game::finishFrame()
{
    // Timed right after the pacer, so the frames that it paces are timed an even period apart.
    const double now = glfwGetTime();
    frameSeconds = now - lastFrameTime;
    lastFrameTime = now;
    updateTitle(now);
    // The back buffer's content after a swap is undefined, so the headless capture reads it before.
    if (options.runHeadless)
        writeScreenshot(options.screenshotFileGiven ? options.screenshotFile : "screenshot", gameWindow->width(),
                        gameWindow->height());
    glfwSwapBuffers(window);
    if (benchmarking()) {
        const double swapped = glfwGetTime();
        benchmarkFrameSeconds.push_back(swapped - lastFrameEnd);
        lastFrameEnd = swapped;
    }
    // Said now that the frame that shows them is on the screen.
    for (const std::string& line : statusLines)
        printLine(line);
    statusLines.clear();
}

void Game::updateTitle(double now)
{
    const std::optional<int> fps = timer->tick(static_cast<float>(now));
    if (fps && playerOptions.video.showFps) {
        frameRateTitle(windowTitle, windowSettings.title, *fps);
        glfwSetWindowTitle(window, windowTitle.c_str());
    }
}

void Game::say(std::string line)
{
    if (playersSession())
        statusLines.push_back(std::move(line));
}

void Game::shutDown()
{
    if (playersSession())
        endRun();
    // The audio thread stops before the mixer it reads goes.
    audioOutput.reset();
    mixer.reset();
    printLine("scored  " + std::to_string(points) + " points");
    // Everything below holds GL objects, and the world's cubes hold physics bodies: they go
    // while both the context and the physics world still exist.
    postProcess.reset();
    doublePointsEmitter.reset();
    glideEmitter.reset();
    drawer.reset();
    current.reset();
    resources.release();
    panels = HudPanels{};
    releaseText();
    releaseParticleBuffers();
    shutdownFramework();
    glfwTerminate();
}
