// libFuzzer target: a settings file read through the game's own loader and turned into settings.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "app_settings.h"
#include "executable_path.h"
#include "settings.h"

namespace {
// Beside the fuzzer, where the asset search finds it under a plain name.
const std::string kAssetName = "zarnok-fuzz-" + std::to_string(getpid()) + ".ini";
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path file = std::filesystem::path(executablePath()).parent_path() / kAssetName;
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const INIReader reader = loadSettings(kAssetName);
    const WindowSettings window = windowSettingsFrom(reader, kAssetName);
    if (window.width < 1 || window.width > kLargestWindowSide || window.height < 1 ||
        window.height > kLargestWindowSide)
        __builtin_trap(); // no window size the system cannot build gets through
    rendererSettingsFrom(reader);
    std::filesystem::remove(file);
    return 0;
}
