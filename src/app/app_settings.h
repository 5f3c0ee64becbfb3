#pragma once

#include <string>

#include "app_state.h"
#include "startup_options.h"

struct WindowSettings {
    int width = 1280;
    int height = 768;
    int refreshRate = 60;
    bool fullscreen = false;
    std::string title = "ZARNOK 2023";
};

struct RendererSettings {
    bool wireframe = false;
    bool backfaceCulling = false;
    bool normals = false;
    bool texcoords = false;
    bool depthTest = true;
};

inline constexpr const char* kWindowSettingsFile = "assets/settings/window.ini";
inline constexpr const char* kCameraSettingsFile = "assets/settings/camera_front.ini";
inline constexpr const char* kRendererSettingsFile = "assets/settings/renderer_standard.ini";

WindowSettings loadWindowSettings();

// The camera file is loaded so that a missing one is reported; the camera keeps its own constants.
void loadCameraSettings(const StartupOptions& options);

RendererSettings loadRendererSettings(const StartupOptions& options);

// Copies the renderer switches into the program-wide flags.
void applyRendererSettings(const RendererSettings& settings, AppFlags& flags);
