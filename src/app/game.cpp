#include "game.h"

#include "app_state.h"
#include "console.h"
#include "cube.h"
#include "framework.h"
#include "gl.h"
#include "screenshot.h"
#include "window_setup.h"

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
    }
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
    installInputCallbacks(window);
    applyInitialGlState(rendererSettings, appFlags);

    physics = std::make_unique<PhysicsWorld>(btVector3(0.0f, -9.81f, 0.0f));
    resources = loadSceneResources();
    const float aspectRatio = static_cast<float>(windowSettings.width) / static_cast<float>(windowSettings.height);
    world = std::make_unique<GameWorld>(
        *physics, WorldMaterials{resources.wallsMaterial, resources.proceduralMaterial, resources.woodMaterial},
        aspectRatio);
    glfwSetWindowUserPointer(window, &world->player().camera);
    light.emplace(glm::vec3(1.0f, 0.8f, 0.8f), glm::vec3(-1.0f, -2.0f, 0.0f), true);
    postProcess = PostProcessFramebuffer::create(windowSettings.width, windowSettings.height);
    if (!postProcess)
        startupFailure("Error creating framebuffer object");

    timer = std::make_unique<FrameTimer>(static_cast<float>(glfwGetTime()));
}

void Game::runFrame()
{
    if (appFlags.gameOver)
        appFlags.paused = true;
    beginFrame();
    Camera& camera = world->player().camera;
    prevFrameViewProj = camera.viewProjection();
    glfwPollEvents();
    // Cursor events of the next poll turn the camera only while the game runs.
    camera.mouseLook = !appFlags.paused;
    if (!appFlags.paused)
        runningStep();
    setSceneUniforms();
    world->updateCubes(appFlags.paused, appFlags.dropAllRequested, timer->dt(), wallClockTicks());
    appFlags.dropAllRequested = false;
    world->draw(timer->dt());
    composite();
    applyRules();
    finishFrame();
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

void Game::runningStep()
{
    PlayerInput input;
    input.forward = appFlags.moveForwardHeld;
    input.backward = appFlags.moveBackwardHeld;
    input.left = appFlags.moveLeftHeld;
    input.right = appFlags.moveRightHeld;
    input.jump = appFlags.jumpRequested;
    appFlags.jumpRequested = false;
    world->runningStep(input, timer->dt());
    frameViewProj = world->player().camera.viewProjection();
}

void Game::applyRules()
{
    if (world->applyRules().gameOver)
        appFlags.gameOver = true;
}

void Game::setSceneUniforms()
{
    const DebugViews debugViews{appFlags.showNormals, appFlags.showTexCoords};
    for (Shader* shader : {resources.textureShader.get(), resources.procTextureShader.get()})
        setPerFrameUniforms(*shader, world->player().camera.position, frameViewProj, *light, windowSettings.width,
                            windowSettings.height, debugViews);
}

void Game::composite()
{
    if (renderToFramebuffer)
        postProcess->drawToScreen(*resources.framebufferShader, frameViewProj, prevFrameViewProj);
}

void Game::finishFrame()
{
    updateTitle();
    // The back buffer's content after a swap is undefined, so the headless capture reads it before.
    if (options.runHeadless)
        writeScreenshot(options.screenshotFileGiven ? options.screenshotFile : "screenshot", windowSettings.width,
                        windowSettings.height);
    glfwSwapBuffers(window);
}

void Game::updateTitle()
{
    if (const std::optional<int> fps = timer->tick(static_cast<float>(glfwGetTime())))
        glfwSetWindowTitle(window, frameRateTitle(windowSettings.title, *fps).c_str());
}

void Game::shutDown()
{
    printLine("scored  " + std::to_string(points) + " points");
    // The world's cubes and drawables hold GL objects and physics bodies: they go while both
    // the context and the physics world still exist.
    world.reset();
    postProcess.reset();
    resources.release();
    shutdownFramework();
    glfwTerminate();
    physics.reset();
}
