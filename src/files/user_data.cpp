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
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
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

#ifdef __EMSCRIPTEN__

// A page's files are in memory until the page writes them back to the browser's storage, which
// it does once this write has ended.
bool flushToDisk(std::FILE*)
{
    EM_ASM({
        if (Module.filesChanged)
            Module.filesChanged();
    });
    return true;
}

#else

bool flushToDisk(std::FILE* file)
{
    return fsync(fileno(file)) == 0;
}

#endif

#endif

} // namespace

namespace {

// $<variable>/zarnok, or <home>/<fallback>/zarnok; on Windows %<windowsVariable>%\zarnok.
fs::path userFolder([[maybe_unused]] const char* variable, [[maybe_unused]] const char* fallback,
                    [[maybe_unused]] const char* windowsVariable = "APPDATA")
{
#ifdef _WIN32
    const std::string appData = environment(windowsVariable);
    return appData.empty() ? fs::path() : fs::path(appData) / "zarnok";
#else
    // A relative XDG folder is invalid by the XDG rules and is ignored.
    const std::string folder = environment(variable);
    if (!folder.empty() && fs::path(folder).is_absolute())
        return fs::path(folder) / "zarnok";
    const std::string home = environment("HOME");
    return home.empty() ? fs::path() : fs::path(home) / fallback / "zarnok";
#endif
}

} // namespace

fs::path userDataFolder()
{
    return userFolder("XDG_DATA_HOME", ".local/share");
}

fs::path userConfigFolder()
{
    return userFolder("XDG_CONFIG_HOME", ".config");
}

fs::path userStateFolder()
{
    return userFolder("XDG_STATE_HOME", ".local/state", "LOCALAPPDATA");
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
