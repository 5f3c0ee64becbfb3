#include "app_settings.h"

#include <climits>

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

} // namespace

WindowSettings loadWindowSettings()
{
    const INIReader reader = loadSettings(kWindowSettingsFile);
    WindowSettings settings;
    settings.width = readInt(reader, "window", "width", settings.width);
    settings.height = readInt(reader, "window", "height", settings.height);
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
    const INIReader reader = loadSettings(options.rendererFileGiven ? options.rendererFile : kRendererSettingsFile);
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
