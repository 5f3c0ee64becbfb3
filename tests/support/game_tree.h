#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "process.h"
#include "temp_dir.h"

// The built game and a copy of its assets in a temporary project tree, so a test can break or
// duplicate asset files without touching the real ones:
//   <root>/CMakeLists.txt   (the root marker)   <root>/assets/...   <root>/build/zarnok
class GameTree {
public:
    GameTree();

    const std::filesystem::path& root() const { return dir.path(); }
    std::filesystem::path binary() const { return dir / "build/zarnok"; }
    std::filesystem::path path(const std::string& relative) const { return dir / relative; }

    // Runs the copied game with the given arguments; the working directory defaults to the tree root.
    ProcessResult run(const std::vector<std::string>& arguments, ProcessOptions options = {},
                      std::chrono::milliseconds timeout = std::chrono::seconds(90)) const;

private:
    TempDir dir;
};

// The game binary of this build and the source tree's asset folder.
std::filesystem::path builtGameBinary();
std::filesystem::path sourceAssetFolder();
