#include "user_data.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

#ifdef _WIN32

int processId()
{
    return _getpid();
}

bool flushToDisk(std::FILE* file)
{
    return _commit(_fileno(file)) == 0;
}

#else

int processId()
{
    return static_cast<int>(getpid());
}

bool flushToDisk(std::FILE* file)
{
    return fsync(fileno(file)) == 0;
}

#endif

} // namespace

fs::path userDataFolder()
{
#ifdef _WIN32
    const std::string appData = environment("APPDATA");
    return appData.empty() ? fs::path() : fs::path(appData) / "zarnok";
#else
    // A relative XDG_DATA_HOME is invalid by the XDG rules and is ignored.
    const std::string dataHome = environment("XDG_DATA_HOME");
    if (!dataHome.empty() && fs::path(dataHome).is_absolute())
        return fs::path(dataHome) / "zarnok";
    const std::string home = environment("HOME");
    return home.empty() ? fs::path() : fs::path(home) / ".local/share/zarnok";
#endif
}

bool replaceFileAtomically(const fs::path& file, const std::string& content, std::string& error)
{
    std::error_code code;
    fs::create_directories(file.parent_path(), code);
    if (code) {
        error = code.message();
        return false;
    }
    // A name of its own per process: two games saving at once never write into one file.
    const fs::path temporary = file.parent_path() / (file.filename().string() + ".tmp-" + std::to_string(processId()));
    std::FILE* out = std::fopen(temporary.string().c_str(), "wb");
    if (out == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(content.data(), 1, content.size(), out) == content.size() &&
                         std::fflush(out) == 0 && flushToDisk(out);
    const int savedErrno = errno;
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed) {
        error = std::strerror(written ? errno : savedErrno);
        fs::remove(temporary, code);
        return false;
    }
    fs::rename(temporary, file, code);
    if (code) {
        error = code.message();
        fs::remove(temporary, code);
        return false;
    }
    return true;
}
