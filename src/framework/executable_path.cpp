#include "executable_path.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#ifndef __EMSCRIPTEN__
namespace {
// A path that fills the whole buffer may have been cut short; such a result is refused.
constexpr int kPathBufferSize = 1337;
} // namespace
#endif

#ifdef _WIN32

std::string executablePath()
{
    char buffer[kPathBufferSize];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, kPathBufferSize);
    if (length == 0 || length >= static_cast<DWORD>(kPathBufferSize))
        return {};
    return std::string(buffer, length);
}

const char* platformName()
{
    return "Windows";
}

#elif defined(__EMSCRIPTEN__)

// The page packs the assets under /zarnok, beside the marker file that ends the search.
std::string executablePath()
{
    return "/zarnok/zarnok";
}

const char* platformName()
{
    return "the web";
}

#else

std::string executablePath()
{
    char buffer[kPathBufferSize];
    const ssize_t length = readlink("/proc/self/exe", buffer, kPathBufferSize);
    if (length <= 0 || length >= kPathBufferSize)
        return {};
    return std::string(buffer, static_cast<size_t>(length));
}

const char* platformName()
{
    return "Linux";
}

#endif
