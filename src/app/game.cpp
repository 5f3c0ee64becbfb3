#include "game.h"

#include "benchmark_report.h"
#include "console.h"
#include "crash_handler.h"
#include "crash_record.h"
#include "cube.h"
#include "encoder_process.h"
#include "export_progress.h"
#include "frame_capture.h"
#include "frame_loop.h"
#include "framework.h"
#include "gl.h"
#include "gl_features.h"
#include "interruption.h"
#include "key_input.h"
#include "mixer.h"
#include "replay_files.h"
#include "screenshot.h"
#include "text.h"
#include "user_data.h"
#include "video_encoder.h"
#include "window_setup.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <utility>

namespace {

// A benchmark plays the same track every time unless told otherwise.
constexpr std::uint32_t kBenchmarkSeed = 326;

// How fast a gamepad's right stick, pushed all the way, turns the view.
constexpr float kPadDegreesPerSecond = 120.0f;

SessionSetup sessionSetupOf(const StartupOptions& options)
{
    SessionSetup setup;
    const bool benchmark = options.benchmarkFrames > 0;
    setup.playersSession = !benchmark && !options.runHeadless && !options.exportVideoGiven;
    setup.video = options.exportVideoGiven;
    if (options.seedGiven)
        setup.fixedSeed = options.seed;
    else if (benchmark)
        setup.fixedSeed = kBenchmarkSeed;
    // A seed, a replay, a headless run and a benchmark are for tests and bug reports, and a daily
    // run or a race from the command line was asked for by name: they start at once.
    setup.title = setup.playersSession && !options.seedGiven && !options.replayGiven && !options.dailyGiven &&
                  !options.ghostGiven;
    if (options.dailyGiven)
        setup.daily = options.dailyDate;
    return setup;
}

} // namespace

Game::Game(StartupOptions startupOptions, std::optional<Replay> replay, std::optional<Replay> ghost)
    : options(std::move(startupOptions)), startReplay(std::move(replay)), startGhost(std::move(ghost)),
      session(sessionSetupOf(options), audio)
{
    if (startReplay)
        startTicks = startReplay->ticks;
}

int Game::run()
{
    startUp();
    if (exporting()) {
        const int status = exportVideo();
        shutDown();
        return status;
    }
    return runFrames([game = shared_from_this()] { return game->loopFrame(); },
                     [game = shared_from_this()] { return game->finishLoop(); }, !fixedFrames());
}

bool Game::loopFrame()
{
    if (glfwWindowShouldClose(window))
        return false;
    runFrame();
    if (options.runHeadless)
        return false;
    return !benchmarking() || benchmarkFrameSeconds.size() < static_cast<size_t>(options.benchmarkFrames);
}

int Game::finishLoop()
{
    if (benchmarking())
        printLine(benchmarkReport(benchmarkFrameSeconds));
    shutDown();
    return 0;
}

namespace {

// The sound's sample at which frame `frame` begins, at 60 frames a second.
std::int64_t soundFrameAt(std::int64_t frame)
{
    return frame * kMixerRate / 60;
}

} // namespace

// One frame a tick, each drawn off-screen and on its way back while the next is drawn, and the
// sound of the same ticks from the mixer, all to ffmpeg; the video has its name only once ffmpeg
// has finished it. Ctrl+C, or a failed encode, leaves nothing.
int Game::exportVideo()
{
    const std::string file = options.exportVideoFile;
    const std::unique_ptr<FrameCapture> capture =
        FrameCapture::create(gameWindow->width(), gameWindow->height(), windowSamples);
    if (!capture) {
        printLine("Cannot export a video of " + std::to_string(gameWindow->width()) + " x " +
                  std::to_string(gameWindow->height()) + ": the framebuffer is incomplete.");
        return 1;
    }
    VideoStreams streams;
    streams.width = capture->width();
    streams.height = capture->height();
    streams.soundRate = kMixerRate;
    streams.format = videoFormatOf(file).value_or(VideoFormat::Mp4);
    streams.quickest = quality() == Quality::Low;
    std::string error;
    catchInterruptions();
    const std::unique_ptr<VideoEncoder> encoder =
        VideoEncoder::start(EncoderProcess::find("ffmpeg").value_or("ffmpeg"), streams, file, error);
    if (!encoder) {
        printLine("Cannot start ffmpeg: " + error + ".");
        return 1;
    }
    const double began = glfwGetTime();
    const VideoEnd end = encodeFrames(*capture, *encoder);
    if (end == VideoEnd::Stopped || end == VideoEnd::FrameLost) {
        encoder->abandon();
        printLine(end == VideoEnd::Stopped
                      ? "Export stopped: no video was written to '" + file + "'."
                      : "The video could not be written to '" + file + "': GL lost a frame read back.");
        return 1;
    }
    if (!encoder->finish(error)) {
        printLine("The video could not be written to '" + file + "': " + error + ".");
        return 1;
    }
    const double seconds = glfwGetTime() - began;
    char speed[32];
    std::snprintf(speed, sizeof speed, "%.2fx", videoFrames / 60.0 / seconds);
    printLine("Video written to '" + file + "': " + std::to_string(videoFrames) + " frames (" +
              videoClockTime(videoFrames / 60.0) + ") in " + videoClockTime(seconds) + ", " + speed + " real time.");
    return 0;
}

// Frames are handed to the encoder two behind the drawing, each with the sound of its tick.
Game::VideoEnd Game::encodeFrames(FrameCapture& capture, VideoEncoder& encoder)
{
    ExportProgress progress(static_cast<int>(startTicks) + 1, outputIsTerminal()); // tick 0 to the last
    const double began = glfwGetTime();
    std::deque<std::vector<float>> sounds; // of the frames on their way back
    bool drawnAll = false;
    videoFrames = 0;
    while (!drawnAll || !sounds.empty()) {
        if (interruptionRequested()) {
            progress.finish();
            return VideoEnd::Stopped;
        }
        if (!drawnAll) {
            sounds.push_back(drawVideoFrame(capture, static_cast<std::int64_t>(videoFrames + sounds.size())));
            drawnAll = session.shownRun()->over();
        }
        std::vector<std::uint8_t> pixels = encoder.spareFrame();
        const bool taken = capture.take(pixels, drawnAll);
        if (!taken && drawnAll) {
            progress.finish();
            return VideoEnd::FrameLost;
        }
        if (!taken)
            continue;
        if (!encoder.add(std::move(pixels), std::move(sounds.front())))
            break;
        sounds.pop_front();
        progress.frameDone(++videoFrames, glfwGetTime() - began);
    }
    progress.finish();
    return VideoEnd::Encoded;
}

// Frame `frame` of the video, on its way back, and its sound.
std::vector<float> Game::drawVideoFrame(FrameCapture& capture, std::int64_t frame)
{
    // The first frame shows the run as it starts, as the game's first frame does.
    holdRun = frame == 0;
    capture.bind();
    runFrame();
    capture.readBack();
    std::vector<float> sound(static_cast<size_t>(soundFrameAt(frame + 1) - soundFrameAt(frame)) * 2);
    audio.render(sound.data(), static_cast<int>(sound.size() / 2));
    return sound;
}

// In the order the game's design gives: the settings, the window and its context, the physics
// world, the render resources, the track and the player, the light, the fountains, the scene's
// framebuffer, and the frame loop's state.
void Game::startUp()
{
    loadSettings();
    openWindow();
    auto physics = std::make_unique<PhysicsWorld>();
    initParticleBuffers();
    resources = loadSceneResources();
    initText("assets/textures/Calibri1024_transparent.dds", "assets/shaders/text2d.vert", "assets/shaders/text2d.frag");
    panels = loadHudPanels();
    startPlayersServices();
    if (exporting())
        audio.startOffline();
    session.begin(std::move(physics), std::exchange(startReplay, std::nullopt),
                  std::exchange(startGhost, std::nullopt));
    followRun();
    loadPowerupModels(resources);
    ghostDrawer = std::make_unique<GhostDrawer>(resources);
    light.emplace(glm::vec3(1.0f, 0.8f, 0.8f), glm::vec3(-1.0f, -2.0f, 0.0f), true);
    fountains = std::make_unique<Fountains>();
    fountains->restart(world());
    applyQuality();
    if (!postProcess)
        startupFailure("Error creating framebuffer object");

    frameViewProj = prevFrameViewProj = glm::mat4(1.0f);
    if (!fixedFrames() && !hostPacesFrames())
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
    applyRendererSettings(rendererSettings, session.flags());
    PlayerOptions defaults;
    defaults.video.fullscreen = windowSettings.fullscreen;
    session.loadOptions(defaults);
    windowSettings.fullscreen = session.options().video.fullscreen;
    appliedOptions = session.options();
    // A video's frames are drawn off-screen, at the video's size, in a window no one sees.
    if (exporting()) {
        windowSettings.width = options.videoWidth;
        windowSettings.height = options.videoHeight;
        windowSettings.fullscreen = false;
        windowSettings.visible = false;
    }
}

void Game::openWindow()
{
    startGlfw();
    chooseQualityForThisMachine();
    windowSamples = presetOf(quality()).samples;
    windowSettings.samples = windowSamples;
    window = openGameWindow(windowSettings);
    gameWindow.emplace(window);
    session.setDrawingSize(gameWindow->width(), gameWindow->height());
    session.setWindowSamples(windowSamples);
    input.view = &view;
    glfwSetWindowUserPointer(window, &input);
    // Vsync where the driver offers it, except in a benchmark, which measures unpaced frames.
    glfwSwapInterval(fixedFrames() ? 0 : 1);
    if (!initFramework())
        startupFailure("Failed to init framework");
    printLine("Framework was initialized.");
    // A benchmark plays without input, so every run draws the same frames; so does a video.
    if (!fixedFrames())
        installInputCallbacks(window);
    applyInitialGlState(rendererSettings, flags());
    shownWireframe = flags().wireframeEnabled;
    shownCulling = flags().cullingEnabled;
}

// A player who never chose a graphics quality gets Low on a software renderer, which cannot draw
// the designed picture at a smooth rate; the choice is saved, and theirs to change.
void Game::chooseQualityForThisMachine()
{
    if (session.qualityChosen() || !options.quality.empty() || exporting())
        return;
    const std::string renderer = probeRenderer(windowSettings);
    if (!isSoftwareRenderer(renderer))
        return;
    PlayerOptions changed = session.options();
    changed.video.quality = Quality::Low;
    printLine("Graphics quality Low: " + renderer +
              " draws in software here. The options screen (Escape, then O) can change it.");
    session.changeOptions(changed);
    appliedOptions = session.options();
}

Quality Game::quality() const
{
    // Pictures are compared at the quality they were designed at; a video is High unless asked.
    if (options.runHeadless || (exporting() && options.quality.empty()))
        return Quality::High;
    if (!options.quality.empty())
        return qualityFromName(options.quality).value_or(Quality::High);
    return appliedOptions.video.quality;
}

// Sound, the gamepad, and the best score: a player's game has them, a headless run or a
// benchmark not. A game that only shows a replay keeps no best score.
void Game::startPlayersServices()
{
    if (!playersSession())
        return;
    audio.start();
    const std::filesystem::path config = userConfigFolder();
    gamepads.emplace(config.empty() ? std::filesystem::path() : config / "gamecontrollerdb.txt");
    if (!startReplay)
        session.openRecords();
    if (const std::optional<std::filesystem::path> replays = replayFolder()) {
        installCrashHandler(*replays / "crash.replay", logFile());
        crashRecord().crashAtTick(options.crashAtTick);
    }
    const std::filesystem::path data = userDataFolder();
    // The pictures are written by a thread of their own, which a page has not got.
    if (hostHasThreads())
        screenshots = std::make_unique<Screenshots>((data.empty() ? std::filesystem::path(".") : data) / "screenshots");
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
        scaled(gameWindow->width()), scaled(gameWindow->height()), preset.motionBlur && hasMotionBlur());
    if (target)
        postProcess = std::move(target);
    else if (postProcess)
        printLine("Cannot draw the scene at " + std::to_string(gameWindow->width()) + " x " +
                  std::to_string(gameWindow->height()) + ": the framebuffer is incomplete. It stays as it was.");
    if (fountains)
        fountains->setDensity(preset.particleShare);
}

float Game::frameDt() const
{
    return fixedFrames() ? 1.0f / 60.0f : timer->dt();
}

void Game::runFrame()
{
    session.startFrame();
    // Where the view stood before this frame's input and ticks moved it: the blur's other end.
    prevFrameViewProj = view.viewProjection();
    glfwPollEvents();
    followWindow();
    if (gameWindow->minimised()) {
        paceFrame(); // and draws nothing
        return;
    }
    passInput();
    followOptions();
    followRun();
    const bool running = session.runsTicks() && !holdRun;
    lookWithPad();
    beginFrame();
    if (running)
        runTicks();
    audio.follow(session.musicLevel(), flags().muted, appliedOptions.audio);
    placeView();
    frameViewProj = view.viewProjection();
    if (drawingScene())
        setSceneUniforms();
    fountains->follow(world());
    if (running)
        fountains->update(frameDt(), view.position);
    if (drawingScene())
        drawScene();
    composite();
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

// A window that cannot be seen, or that the player has left, pauses the run; it never resumes on
// its own. Only a player leaves: a headless run or a benchmark opens its window among others and
// must draw its frames whichever of them has the focus. A minimised window pauses it as it shows
// again, since no frame runs before.
void Game::followWindow()
{
    if (gameWindow->followFramebuffer())
        resizeDrawing();
    const bool shownAgain = wasMinimised && !gameWindow->minimised();
    wasMinimised = gameWindow->minimised();
    const bool focusLost = playersSession() && gameWindow->lostFocus() && appliedOptions.input.pauseOnFocusLoss;
    if (shownAgain || focusLost)
        session.playerLeft();
}

// Everything drawn follows the framebuffer: the scene's target, the projection, the overlays.
void Game::resizeDrawing()
{
    const int width = gameWindow->width();
    const int height = gameWindow->height();
    glViewport(0, 0, width, height);
    session.setDrawingSize(width, height);
    applyQuality();
    view.setAspectRatio(static_cast<float>(width) / static_cast<float>(height));
    prevFrameViewProj = view.viewProjection();
    session.say("Drawing at " + std::to_string(width) + " x " + std::to_string(height) + ".");
}

void Game::passInput()
{
    for (const KeyEvent& event : input.keys) {
        // F12 belongs to no screen, so it works on every one and nothing can be bound to it.
        if (event.key == GLFW_KEY_F12) {
            if (event.action == GLFW_PRESS && screenshots)
                screenshots->request();
            else if (event.action == GLFW_PRESS && playersSession() && !hostHasThreads())
                noticeNow(kNoScreenshots);
            continue;
        }
        session.key(event);
    }
    input.keys.clear();
    // A replay dropped onto the window plays in the viewer.
    for (const std::string& file : input.dropped)
        if (playersSession())
            session.watchFile(file);
    input.dropped.clear();
    followPointer();
    if (session.freesPointer()) {
        session.pointer(pointerInput());
        input.pointerMoved = false;
    }
    input.clicks.clear();
    if (gamepads) {
        pad = gamepads->poll();
        session.pad(pad);
    }
    if (session.quitRequested())
        glfwSetWindowShouldClose(window, GLFW_TRUE);
    followDisplaySwitches();
    followPointer();
}

// The pointer in the framebuffer's pixels from the bottom left; the window reports it in its own
// coordinates from the top left.
PointerInput Game::pointerInput() const
{
    int windowWidth = 0;
    int windowHeight = 0;
    glfwGetWindowSize(window, &windowWidth, &windowHeight);
    const float scale =
        windowWidth > 0 ? static_cast<float>(gameWindow->width()) / static_cast<float>(windowWidth) : 1.0f;
    PointerInput pointer;
    pointer.x = static_cast<float>(input.pointerX) * scale;
    pointer.y = static_cast<float>(gameWindow->height()) - static_cast<float>(input.pointerY) * scale;
    pointer.moved = input.pointerMoved;
    pointer.clicks = input.clicks;
    return pointer;
}

void Game::followDisplaySwitches()
{
    if (flags().wireframeEnabled != shownWireframe) {
        shownWireframe = flags().wireframeEnabled;
        applyPolygonMode(shownWireframe);
    }
    if (flags().cullingEnabled != shownCulling) {
        shownCulling = flags().cullingEnabled;
        applyCulling(shownCulling);
    }
}

// The pointer is free on a menu, for clicking; mouse look has it again after. Only what it does
// once free counts for the menu: turning the view moved it nowhere the player could see.
void Game::followPointer()
{
    const bool free = session.freesPointer();
    input.pointerFree = free;
    if (free == pointerFreed)
        return;
    pointerFreed = free;
    glfwSetInputMode(window, GLFW_CURSOR, free ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_DISABLED);
    input.pointerMoved = false;
    if (!free)
        input.cursor.forget();
}

void Game::followOptions()
{
    const PlayerOptions& wanted = session.options();
    if (wanted == appliedOptions)
        return;
    const bool fullscreenChanged = wanted.video.fullscreen != appliedOptions.video.fullscreen;
    const bool qualityChanged = wanted.video.quality != appliedOptions.video.quality;
    appliedOptions = wanted;
    if (qualityChanged)
        applyQuality();
    applyInputOptions();
    if (fullscreenChanged) {
        gameWindow->setFullscreen(appliedOptions.video.fullscreen, windowSettings.width, windowSettings.height);
        if (pacer)
            pacer.emplace(clock, displayFramePeriod(window));
    }
    if (!appliedOptions.video.showFps)
        glfwSetWindowTitle(window, windowSettings.title.c_str());
}

void Game::applyInputOptions()
{
    input.cursor.invertY = appliedOptions.input.invertMouseY;
    view.mouseSensitivity = 0.1f * appliedOptions.input.mouseSensitivity;
}

// A new run: the view as the run's player has it, in the same window. Its first frame runs no tick.
void Game::followRun()
{
    if (session.runNumber() == drawnRun)
        return;
    drawnRun = session.runNumber();
    drawer = std::make_unique<TrackDrawer>(resources);
    view = world().player().camera;
    applyInputOptions();
    if (fountains)
        fountains->restart(world());
    frameViewProj = prevFrameViewProj = view.viewProjection();
    ticks = FixedTicks{};
    blend = 0.0f;
    frameSeconds = 0.0;
    timer = std::make_unique<FrameTimer>(static_cast<float>(glfwGetTime()));
}

// Cursor events of the next poll turn the view only while the player's own run runs; so does the
// gamepad's right stick.
void Game::lookWithPad()
{
    view.mouseLook = session.playerLooks();
    if (view.mouseLook)
        view.turnBy(kPadDegreesPerSecond * pad.lookX * static_cast<float>(frameSeconds),
                    kPadDegreesPerSecond * pad.lookY * static_cast<float>(frameSeconds));
}

// The frame starts on a cleared target with depth testing on, whatever the settings said.
// Wireframe frames go straight to the window; all others through the post-process pass.
void Game::beginFrame()
{
    renderToFramebuffer = !flags().wireframeEnabled;
    if (renderToFramebuffer)
        postProcess->beginScene();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
}

// As many ticks as the time since the last frame calls for; a benchmark and a video run one per
// frame.
void Game::runTicks()
{
    const int due = fixedFrames() ? 1 : ticks.advance(frameSeconds, session.runSpeed());
    blend = fixedFrames() ? 1.0f : ticks.blend();
    session.runTicks(due, TickSources{view, flags(), pad});
}

// The frame shows the run `blend` of the way from its tick before last to its last. The player
// looks where the mouse left the view; a replay, where the recorded run looked.
void Game::placeView()
{
    const Player& player = world().player();
    const Camera between = cameraBetween(player.previousCamera, player.camera, blend);
    const Camera seen = session.shownRun()->showsChaseView() ? chaseView(between) : between;
    view.position = seen.position;
    if (session.shownRun()->showsRecordedView())
        view.turnTo(seen.yaw, seen.pitch);
}

void Game::setSceneUniforms()
{
    const DebugViews debugViews{flags().showNormals, flags().showTexCoords};
    for (Shader* shader : {resources.textureShader.get(), resources.procTextureShader.get(),
                           resources.cubesShader.get(), resources.ghostShader.get()})
        setPerFrameUniforms(*shader, view.position, frameViewProj, *light, gameWindow->width(), gameWindow->height(),
                            debugViews);
}

void Game::drawScene()
{
    // Culling already on needs no help; lines would show the back edges it hides.
    drawer->draw(world(), view.position, blend, frameDt(), !flags().cullingEnabled && !flags().wireframeEnabled);
    if (const Ghost* ghost = session.shownRun()->ghost())
        ghostDrawer->draw(*ghost, blend);
    if (session.shownRun()->showsChaseView()) {
        const Player& player = world().player();
        const Camera runner = cameraBetween(player.previousCamera, player.camera, blend);
        ghostDrawer->drawRunner(runner.position, runner.yaw);
    }
    fountains->draw(view.view(), frameViewProj);
}

// The HUD over a run, or the screen over it.
void Game::drawOverlay()
{
    session.overlayItems(screenItems);
    if (!notice.empty())
        noticeItems(notice, gameWindow->width(), gameWindow->height(), screenItems);
    drawScreenItems(screenItems, panels, gameWindow->width(), gameWindow->height());
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
    if (screenshots)
        screenshots->afterFrame(gameWindow->width(), gameWindow->height());
    if (!exporting())
        glfwSwapBuffers(window);
    followScreenshots(now);
    if (benchmarking()) {
        waitForDrawing();
        const double swapped = glfwGetTime();
        benchmarkFrameSeconds.push_back(swapped - lastFrameEnd);
        lastFrameEnd = swapped;
    }
    // Said now that the frame that shows them is on the screen.
    for (const std::string& line : session.lines())
        printLine(line);
    session.clearLines();
}

void Game::followScreenshots(double now)
{
    if (!notice.empty() && now >= noticeUntil)
        notice.clear();
    if (!screenshots)
        return;
    for (const std::string& line : screenshots->finished())
        noticeNow(line);
}

void Game::noticeNow(const std::string& line)
{
    printLine(line);
    notice = line;
    noticeUntil = glfwGetTime() + 4.0;
}

void Game::updateTitle(double now)
{
    const std::optional<int> fps = timer->tick(static_cast<float>(now));
    if (fps && appliedOptions.video.showFps) {
        frameRateTitle(windowTitle, windowSettings.title, *fps);
        glfwSetWindowTitle(window, windowTitle.c_str());
    }
}

void Game::shutDown()
{
    session.end();
    audio.stop();
    if (screenshots)
        for (const std::string& line : screenshots->finishAll())
            printLine(line);
    screenshots.reset();
    // A video's end is said by the export.
    if (!exporting())
        printLine("scored  " + std::to_string(session.points()) + " points");
    // Everything below holds GL objects: it goes while the context still exists.
    postProcess.reset();
    fountains.reset();
    drawer.reset();
    ghostDrawer.reset();
    resources.release();
    panels = HudPanels{};
    releaseText();
    releaseParticleBuffers();
    shutdownFramework();
    glfwTerminate();
}
