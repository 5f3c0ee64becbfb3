#pragma once

#include <INIReader.h>
#include <string>

#include "app_state.h"
#include "startup_options.h"

struct WindowSettings {
    int width = 1280;
    int height = 768;
    int refreshRate = 60;
    bool fullscreen = false;
    std::string title = "ZARNOK 2023";
    int samples = 4; // multisampling, by the graphics quality; not a key of the file
    bool visible = true; // not a key of the file either: a video's window is never shown
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

// A window side outside [1, kLargestWindowSide] is reported and replaced by its default.
inline constexpr int kLargestWindowSide = 8192;

WindowSettings loadWindowSettings();
WindowSettings windowSettingsFrom(const INIReader& reader, const std::string& fileName);

// The camera file is loaded so that a missing one is reported; the camera keeps its own constants.
void loadCameraSettings(const StartupOptions& options);

RendererSettings loadRendererSettings(const StartupOptions& options);
RendererSettings rendererSettingsFrom(const INIReader& reader);

// Copies the renderer switches into the program-wide flags.
void applyRendererSettings(const RendererSettings& settings, AppFlags& flags);
