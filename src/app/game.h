#pragma once

#include <memory>

#include "app_settings.h"
#include "frame_timer.h"
#include "startup_options.h"

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

    void beginFrame();
    void finishFrame();
    void updateTitle();

    StartupOptions options;
    WindowSettings windowSettings;
    RendererSettings rendererSettings;
    GLFWwindow* window = nullptr;
    std::unique_ptr<FrameTimer> timer;
};
