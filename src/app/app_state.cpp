#include "app_state.h"

AppFlags appFlags;
std::int32_t points = 0;
std::int64_t lastDropTicks = 0;

AppFlags restartedFlags(const AppFlags& flags)
{
    AppFlags restarted;
    restarted.wireframeEnabled = flags.wireframeEnabled;
    restarted.cullingEnabled = flags.cullingEnabled;
    restarted.showNormals = flags.showNormals;
    restarted.showTexCoords = flags.showTexCoords;
    return restarted;
}
