#include "executable_path.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {
// A path that fills the whole buffer may have been cut short; such a result is refused.
constexpr int kPathBufferSize = 1337;
} // namespace

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
