#include "app_state.h"

AppFlags appFlags;
std::int32_t points = 0;

AppFlags restartedFlags(const AppFlags& flags)
{
    AppFlags restarted;
    restarted.wireframeEnabled = flags.wireframeEnabled;
    restarted.cullingEnabled = flags.cullingEnabled;
    restarted.showNormals = flags.showNormals;
    restarted.showTexCoords = flags.showTexCoords;
    restarted.replayOnly = flags.replayOnly;
    restarted.muted = flags.muted;
    return restarted;
}
