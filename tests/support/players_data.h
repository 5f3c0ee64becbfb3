#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "temp_dir.h"

#ifndef _WIN32
// The player's data folder in a temporary folder, for as long as it lives.
class PlayersData {
public:
    PlayersData()
    {
        const char* data = std::getenv("XDG_DATA_HOME");
        saved = data != nullptr ? std::optional<std::string>(data) : std::nullopt;
        setenv("XDG_DATA_HOME", home.path().c_str(), 1);
    }
    ~PlayersData()
    {
        if (saved)
            setenv("XDG_DATA_HOME", saved->c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
    }
    PlayersData(const PlayersData&) = delete;
    PlayersData& operator=(const PlayersData&) = delete;

    std::filesystem::path replay(const std::string& name) const { return home / "zarnok/replays" / name; }
    std::filesystem::path file(const char* name) const { return home / "zarnok" / name; }

private:
    TempDir home;
    std::optional<std::string> saved;
};
#endif
