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

    timer = std::make_unique<FrameTimer>(static_cast<float>(glfwGetTime()));
}

void Game::runFrame()
{
    if (appFlags.gameOver)
        appFlags.paused = true;
    beginFrame();
    glfwPollEvents();
    finishFrame();
}

// The frame starts on a cleared target with depth testing on, whatever the settings said.
void Game::beginFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
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
    shutdownFramework();
    glfwTerminate();
}
