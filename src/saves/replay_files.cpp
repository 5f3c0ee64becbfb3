#include "replay_files.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "user_data.h"

namespace fs = std::filesystem;

namespace {

// Even a day of constant mouse movement stays below this.
constexpr std::uintmax_t kLargestFile = std::uintmax_t{64} * 1024 * 1024;

} // namespace

std::optional<Replay> loadReplay(const fs::path& file, std::string& error)
{
    std::error_code code;
    const fs::file_status status = fs::status(file, code);
    if (status.type() == fs::file_type::not_found) {
        error = "there is no such file";
        return std::nullopt;
    }
    if (status.type() == fs::file_type::directory) {
        error = "it is a folder";
        return std::nullopt;
    }
    const std::uintmax_t size = fs::file_size(file, code);
    if (!code && size > kLargestFile) {
        error = "it is too large to be a replay";
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    // Read to the end, but never more than a replay can hold: a device or a pipe has no size.
    std::vector<std::uint8_t> bytes;
    char block[65536];
    while (in && bytes.size() <= kLargestFile) {
        in.read(block, sizeof block);
        bytes.insert(bytes.end(), block, block + in.gcount());
    }
    if (bytes.size() > kLargestFile) {
        error = "it is too large to be a replay";
        return std::nullopt;
    }
    return decodeReplay(bytes, error);
}

bool saveReplay(const fs::path& file, const Replay& replay, std::string& error)
{
    const std::vector<std::uint8_t> bytes = encodeReplay(replay);
    return replaceFileAtomically(file, std::string(bytes.begin(), bytes.end()), error);
}

std::optional<fs::path> replayFolder()
{
    const fs::path folder = userDataFolder();
    if (folder.empty())
        return std::nullopt;
    return folder / "replays";
}
