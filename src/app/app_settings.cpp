#include "app_settings.h"

#include <climits>

#include "console.h"
#include "settings.h"

namespace {

int readInt(const INIReader& reader, const char* section, const char* name, int fallback)
{
    const long value = reader.GetInteger(section, name, fallback);
    // A value that does not fit keeps the default rather than wrapping around.
    if (value < INT_MIN || value > INT_MAX)
        return fallback;
    return static_cast<int>(value);
}

// A window side the system could build a window and its framebuffer for.
int readWindowSide(const INIReader& reader, const char* name, int fallback, const std::string& fileName)
{
    const long value = reader.GetInteger("window", name, fallback);
    if (value >= 1 && value <= kLargestWindowSide)
        return static_cast<int>(value);
    printLine(std::string("Ignoring ") + name + " = " + reader.Get("window", name, "") + " in '" + fileName +
              "': not between 1 and " + std::to_string(kLargestWindowSide) + ". Using " + std::to_string(fallback) +
              " instead.");
    return fallback;
}

} // namespace

WindowSettings loadWindowSettings()
{
    return windowSettingsFrom(loadSettings(kWindowSettingsFile), kWindowSettingsFile);
}

WindowSettings windowSettingsFrom(const INIReader& reader, const std::string& fileName)
{
    WindowSettings settings;
    settings.width = readWindowSide(reader, "width", settings.width, fileName);
    settings.height = readWindowSide(reader, "height", settings.height, fileName);
    settings.refreshRate = readInt(reader, "window", "refresh_rate", settings.refreshRate);
    settings.fullscreen = reader.GetBoolean("window", "fullscreen", settings.fullscreen);
    settings.title = reader.Get("window", "title", settings.title);
    return settings;
}

void loadCameraSettings(const StartupOptions& options)
{
    loadSettings(options.cameraFileGiven ? options.cameraFile : kCameraSettingsFile);
}

RendererSettings loadRendererSettings(const StartupOptions& options)
{
    return rendererSettingsFrom(loadSettings(options.rendererFileGiven ? options.rendererFile : kRendererSettingsFile));
}

RendererSettings rendererSettingsFrom(const INIReader& reader)
{
    RendererSettings settings;
    settings.wireframe = reader.GetBoolean("renderer", "wireframe", settings.wireframe);
    settings.backfaceCulling = reader.GetBoolean("renderer", "backface_culling", settings.backfaceCulling);
    settings.normals = reader.GetBoolean("renderer", "normals", settings.normals);
    settings.texcoords = reader.GetBoolean("renderer", "texcoords", settings.texcoords);
    settings.depthTest = reader.GetBoolean("renderer", "depthtest", settings.depthTest);
    return settings;
}

void applyRendererSettings(const RendererSettings& settings, AppFlags& flags)
{
    flags.wireframeEnabled = settings.wireframe;
    flags.cullingEnabled = settings.backfaceCulling;
    flags.showNormals = settings.normals;
    flags.showTexCoords = settings.texcoords;
}
