#include "test_window.h"

ProcessOptions PlayerFolders::options() const
{
    ProcessOptions options;
    options.environment["XDG_DATA_HOME"] = data.path().string();
    options.environment["XDG_CONFIG_HOME"] = config.path().string();
    options.environment["XDG_STATE_HOME"] = state.path().string();
    options.environment["SDL_AUDIODRIVER"] = "dummy";
    return options;
}

std::string focusedGameWindow()
{
    using namespace std::chrono_literals;
    const std::string found =
        commandOutput({"xdotool", "search", "--sync", "--onlyvisible", "--name", "^ZARNOK 2023"}, 60s);
    if (found.empty())
        return "";
    const std::string window = splitLines(found).front();
    commandOutput({"xdotool", "windowfocus", "--sync", window});
    return window;
}

double runnerGreenShare(const std::filesystem::path& png, const std::string& geometry)
{
    const std::string share =
        commandOutput({"convert", png.string(), "-crop", geometry, "+repage", "-scale", "25%", "-fx",
                       "g > r + 0.15 && g > b + 0.15 ? 1 : 0", "-format", "%[fx:mean]", "info:"});
    return std::stod(share);
}
