#include "asset_path.h"

#include <fstream>

#include "console.h"
#include "executable_path.h"

namespace fs = std::filesystem;

namespace {

// A folder of that name does not count, though some platforms let a stream open one.
bool canOpenFile(const fs::path& path)
{
    std::error_code error;
    if (fs::is_directory(path, error))
        return false;
    std::ifstream stream(path);
    return stream.is_open();
}

[[noreturn]] void reportAmbiguity(const std::string& assetName, const std::vector<std::string>& candidates)
{
    printLine("Ambiguous asset file path: '" + assetName + "'");
    printLine("Found this path at multiple locations. Don't know which one shall be used. Candidates are:");
    for (const std::string& candidate : candidates)
        printLine("  - " + candidate);
    fatalError("Remove all duplicates to fix this!");
}

} // namespace

std::vector<std::string> findAssetCandidates(const fs::path& startFolder, const std::string& assetName)
{
    std::vector<std::string> candidates;
    fs::path folder = startFolder;
    while (true) {
        // In the platform's own separators: on Windows the asset name's slashes become backslashes.
        const fs::path candidate = (folder / assetName).make_preferred();
        if (canOpenFile(candidate))
            candidates.push_back(candidate.string());
        if (canOpenFile(folder / kAssetRootMarker))
            break;
        const fs::path parent = folder.parent_path();
        if (parent == folder || parent.empty())
            break;
        folder = parent;
    }
    return candidates;
}

std::string resolveAssetPath(std::string assetName)
{
    const std::string executable = executablePath();
    if (executable.empty())
        fatalError(std::string("Error retrieving executable path on ") + platformName() + "!");

    const std::vector<std::string> candidates = findAssetCandidates(fs::path(executable).parent_path(), assetName);
    if (candidates.empty())
        return {};
    if (candidates.size() > 1)
        reportAmbiguity(assetName, candidates);
    return candidates.front();
}
