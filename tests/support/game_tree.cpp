#include "game_tree.h"

namespace fs = std::filesystem;

fs::path builtGameBinary()
{
    return ZARNOK_BINARY;
}

fs::path sourceAssetFolder()
{
    return fs::path(ZARNOK_SOURCE_DIR) / "assets";
}

GameTree::GameTree()
{
    writeFile(dir / "CMakeLists.txt", "# root marker of a test copy of the game\n");
    fs::copy(sourceAssetFolder(), dir / "assets", fs::copy_options::recursive);
    fs::create_directories(dir / "build");
    // A copy, not a link: the game searches from its own real location.
    fs::copy_file(builtGameBinary(), binary());
}

ProcessResult GameTree::run(const std::vector<std::string>& arguments, ProcessOptions options,
                            std::chrono::milliseconds timeout) const
{
    std::vector<std::string> argv{binary().string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    if (options.workingDirectory.empty())
        options.workingDirectory = root();
    return runProcess(argv, options, timeout);
}
