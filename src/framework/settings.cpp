#include "settings.h"

#include "asset_path.h"
#include "console.h"

INIReader loadSettings(const std::string& assetName)
{
    // An empty path (nothing found) cannot be opened either, so both cases end in parse result -1.
    INIReader reader(resolveAssetPath(assetName));
    if (reader.ParseError() < 0)
        printLine("ERROR: Failed to load '" + assetName + "'. Using default values instead.");
    return reader;
}
