#include "game.h"

#include "app_state.h"
#include "console.h"
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

    resources = loadSceneResources();
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
    glfwPollEvents();
    setSceneUniforms();
    composite();
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

void Game::setSceneUniforms()
{
    const DebugViews debugViews{appFlags.showNormals, appFlags.showTexCoords};
    for (Shader* shader : {resources.textureShader.get(), resources.procTextureShader.get()})
        setPerFrameUniforms(*shader, cameraPosition, frameViewProj, *light, windowSettings.width, windowSettings.height,
                            debugViews);
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
    postProcess.reset();
    resources.release();
    shutdownFramework();
    glfwTerminate();
}
