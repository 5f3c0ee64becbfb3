#include "player_files.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace fs = std::filesystem;

std::optional<std::string> readPlayerFile(const fs::path& file, std::uintmax_t largest, std::string& error)
{
    error.clear();
    std::error_code code;
    const fs::file_status status = fs::status(file, code);
    if (status.type() == fs::file_type::not_found)
        return std::nullopt;
    if (status.type() == fs::file_type::directory) {
        error = "it is a folder";
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    // One byte more than allowed tells a file too large from one just large enough.
    std::string text(static_cast<size_t>(largest) + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    if (text.size() > largest) {
        error = "it is too large";
        return std::nullopt;
    }
    return text;
}

std::optional<fs::path> moveAside(const fs::path& file, std::string& error)
{
    for (int n = 1; n < 1000; ++n) {
        fs::path aside = file;
        aside += n == 1 ? std::string(".damaged") : ".damaged-" + std::to_string(n);
        std::error_code code;
        if (fs::exists(fs::symlink_status(aside, code)))
            continue;
        fs::rename(file, aside, code);
        if (code) {
            error = code.message();
            return std::nullopt;
        }
        return aside;
    }
    error = "every name for it is taken";
    return std::nullopt;
}
