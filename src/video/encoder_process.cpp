#include "encoder_process.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

#ifdef _WIN32

struct EncoderProcess::Handles {
    HANDLE process = nullptr;
    HANDLE frames = nullptr;
    HANDLE sound = nullptr; // a named pipe, which the encoder opens by its name
    HANDLE soundEvent = nullptr;
    HANDLE messages = nullptr;
    bool soundConnected = false;
    std::string pending;
};

namespace {

void closeHandle(HANDLE& handle)
{
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    handle = nullptr;
}

// An argument as the C runtime of the started program splits its command line again.
void appendQuoted(std::string& line, const std::string& argument)
{
    line += '"';
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        line.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, '\\');
    line += "\" ";
}

std::string systemError()
{
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, GetLastError(), 0, text,
                   sizeof text, nullptr);
    std::string message = text;
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message;
}

// Waits for an overlapped operation on the sound pipe, or for the encoder to end first.
bool finishOverlapped(HANDLE pipe, OVERLAPPED& overlapped, HANDLE process)
{
    const HANDLE waited[] = {overlapped.hEvent, process};
    if (WaitForMultipleObjects(2, waited, FALSE, INFINITE) != WAIT_OBJECT_0) {
        CancelIo(pipe);
        return false;
    }
    DWORD done = 0;
    return GetOverlappedResult(pipe, &overlapped, &done, FALSE) != 0;
}

} // namespace

std::optional<std::string> EncoderProcess::find(const std::string& program)
{
    char path[MAX_PATH] = {};
    if (SearchPathA(nullptr, program.c_str(), ".exe", MAX_PATH, path, nullptr) == 0)
        return std::nullopt;
    return std::string(path);
}

std::string EncoderProcess::soundInputName()
{
    return "\\\\.\\pipe\\zarnok-sound-" + std::to_string(GetCurrentProcessId());
}

std::unique_ptr<EncoderProcess> EncoderProcess::start(const std::string& path,
                                                      const std::vector<std::string>& arguments, std::string& error)
{
    auto handles = std::make_unique<Handles>();
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE framesRead = nullptr;
    HANDLE messagesWrite = nullptr;
    if (!CreatePipe(&framesRead, &handles->frames, &inherited, 1 << 20) ||
        !CreatePipe(&handles->messages, &messagesWrite, &inherited, 0)) {
        error = systemError();
        return nullptr;
    }
    SetHandleInformation(handles->frames, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(handles->messages, HANDLE_FLAG_INHERIT, 0);
    handles->sound = CreateNamedPipeA(soundInputName().c_str(), PIPE_ACCESS_OUTBOUND | FILE_FLAG_OVERLAPPED,
                                      PIPE_TYPE_BYTE | PIPE_WAIT, 1, 1 << 16, 0, 0, nullptr);
    handles->soundEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (handles->sound == INVALID_HANDLE_VALUE || handles->soundEvent == nullptr) {
        error = systemError();
        closeHandle(framesRead);
        closeHandle(messagesWrite);
        return nullptr;
    }

    std::string commandLine;
    appendQuoted(commandLine, path);
    for (const std::string& argument : arguments)
        appendQuoted(commandLine, argument);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = framesRead;
    startup.hStdOutput = messagesWrite;
    startup.hStdError = messagesWrite;
    PROCESS_INFORMATION started{};
    const BOOL ok = CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                   CREATE_NEW_PROCESS_GROUP | CREATE_NO_WINDOW, nullptr, nullptr, &startup, &started);
    if (!ok)
        error = systemError();
    closeHandle(framesRead);
    closeHandle(messagesWrite);
    if (!ok)
        return nullptr;
    CloseHandle(started.hThread);
    handles->process = started.hProcess;
    return std::unique_ptr<EncoderProcess>(new EncoderProcess(std::move(handles)));
}

EncoderProcess::~EncoderProcess()
{
    closeFrames();
    closeSound();
    if (handles->process != nullptr) {
        kill();
        wait();
    }
    closeHandle(handles->messages);
    closeHandle(handles->soundEvent);
    closeHandle(handles->process);
}

bool EncoderProcess::writeFrames(const void* bytes, size_t size)
{
    const char* next = static_cast<const char*>(bytes);
    while (size > 0) {
        DWORD written = 0;
        const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        if (handles->frames == nullptr || !WriteFile(handles->frames, next, chunk, &written, nullptr))
            return false;
        next += written;
        size -= written;
    }
    return true;
}

bool EncoderProcess::writeSound(const void* bytes, size_t size)
{
    if (handles->sound == nullptr)
        return false;
    OVERLAPPED overlapped{};
    overlapped.hEvent = handles->soundEvent;
    if (!handles->soundConnected) {
        ResetEvent(handles->soundEvent);
        const bool connected = ConnectNamedPipe(handles->sound, &overlapped) != 0;
        const DWORD why = GetLastError();
        if (!connected && why == ERROR_IO_PENDING && !finishOverlapped(handles->sound, overlapped, handles->process))
            return false;
        if (!connected && why != ERROR_IO_PENDING && why != ERROR_PIPE_CONNECTED)
            return false;
        handles->soundConnected = true;
    }
    ResetEvent(handles->soundEvent);
    const BOOL done = WriteFile(handles->sound, bytes, static_cast<DWORD>(size), nullptr, &overlapped);
    if (!done && GetLastError() != ERROR_IO_PENDING)
        return false;
    return finishOverlapped(handles->sound, overlapped, handles->process);
}

void EncoderProcess::closeFrames()
{
    closeHandle(handles->frames);
}

void EncoderProcess::closeSound()
{
    if (handles->sound != nullptr && handles->soundConnected)
        FlushFileBuffers(handles->sound);
    closeHandle(handles->sound);
}

size_t EncoderProcess::readMessageBytes(char* buffer, size_t size)
{
    DWORD got = 0;
    if (!ReadFile(handles->messages, buffer, static_cast<DWORD>(size), &got, nullptr))
        return 0;
    return got;
}

int EncoderProcess::wait()
{
    if (handles->process == nullptr)
        return -1;
    WaitForSingleObject(handles->process, INFINITE);
    DWORD status = 0;
    if (!GetExitCodeProcess(handles->process, &status))
        return -1;
    return static_cast<int>(status);
}

void EncoderProcess::kill()
{
    if (handles->process != nullptr)
        TerminateProcess(handles->process, 1);
}

#else

struct EncoderProcess::Handles {
    pid_t pid = -1;
    int frames = -1;
    int sound = -1;
    int messages = -1;
    std::optional<int> status;
    std::string pending;
};

namespace {

// The sound goes in as the encoder's descriptor 3.
constexpr int kSoundDescriptor = 3;

void closeDescriptor(int& descriptor)
{
    if (descriptor >= 0)
        close(descriptor);
    descriptor = -1;
}

bool executable(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// A pipe whose ends lie above the descriptors the encoder is handed, and close in it on their own.
bool highPipe(int ends[2])
{
    int low[2];
    if (pipe(low) != 0)
        return false;
    for (int i = 0; i < 2; ++i) {
        ends[i] = fcntl(low[i], F_DUPFD_CLOEXEC, 10);
        close(low[i]);
    }
    return ends[0] >= 0 && ends[1] >= 0;
}

bool writeAll(int descriptor, const void* bytes, size_t size)
{
    const char* next = static_cast<const char*>(bytes);
    while (size > 0) {
        const ssize_t written = ::write(descriptor, next, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        next += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

} // namespace

std::optional<std::string> EncoderProcess::find(const std::string& program)
{
    if (program.find('/') != std::string::npos)
        return executable(program) ? std::optional<std::string>(program) : std::nullopt;
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        const std::string folder = folders.substr(start, end - start);
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        if (!folder.empty() && executable(candidate))
            return candidate;
        start = end + 1;
    }
    return std::nullopt;
}

std::string EncoderProcess::soundInputName()
{
    return "pipe:" + std::to_string(kSoundDescriptor);
}

std::unique_ptr<EncoderProcess> EncoderProcess::start(const std::string& path,
                                                      const std::vector<std::string>& arguments, std::string& error)
{
    // A write to an encoder that has ended must fail, not end the game.
    std::signal(SIGPIPE, SIG_IGN);
    int frames[2] = {-1, -1};
    int sound[2] = {-1, -1};
    int messages[2] = {-1, -1};
    auto closeAll = [&] {
        for (int* ends : {frames, sound, messages})
            for (int i = 0; i < 2; ++i)
                closeDescriptor(ends[i]);
    };
    if (!highPipe(frames) || !highPipe(sound) || !highPipe(messages)) {
        error = std::strerror(errno);
        closeAll();
        return nullptr;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, frames[0], 0);
    posix_spawn_file_actions_adddup2(&actions, sound[0], kSoundDescriptor);
    posix_spawn_file_actions_adddup2(&actions, messages[1], 1);
    posix_spawn_file_actions_adddup2(&actions, messages[1], 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGINT);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, path.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (failed != 0) {
        error = std::strerror(failed);
        closeAll();
        return nullptr;
    }
    auto handles = std::make_unique<Handles>();
    handles->pid = pid;
    handles->frames = std::exchange(frames[1], -1);
    handles->sound = std::exchange(sound[1], -1);
    handles->messages = std::exchange(messages[0], -1);
    closeAll();
    return std::unique_ptr<EncoderProcess>(new EncoderProcess(std::move(handles)));
}

EncoderProcess::~EncoderProcess()
{
    closeFrames();
    closeSound();
    closeDescriptor(handles->messages);
    if (!handles->status) {
        kill();
        wait();
    }
}

bool EncoderProcess::writeFrames(const void* bytes, size_t size)
{
    return handles->frames >= 0 && writeAll(handles->frames, bytes, size);
}

bool EncoderProcess::writeSound(const void* bytes, size_t size)
{
    return handles->sound >= 0 && writeAll(handles->sound, bytes, size);
}

void EncoderProcess::closeFrames()
{
    closeDescriptor(handles->frames);
}

void EncoderProcess::closeSound()
{
    closeDescriptor(handles->sound);
}

size_t EncoderProcess::readMessageBytes(char* buffer, size_t size)
{
    for (;;) {
        const ssize_t got = handles->messages >= 0 ? read(handles->messages, buffer, size) : 0;
        if (got < 0 && errno == EINTR)
            continue;
        return got > 0 ? static_cast<size_t>(got) : 0;
    }
}

int EncoderProcess::wait()
{
    while (!handles->status) {
        int status = 0;
        const pid_t waited = waitpid(handles->pid, &status, 0);
        if (waited < 0 && errno == EINTR)
            continue;
        handles->status = waited == handles->pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return *handles->status;
}

void EncoderProcess::kill()
{
    if (!handles->status)
        ::kill(handles->pid, SIGKILL);
}

#endif

std::optional<std::string> EncoderProcess::readMessage()
{
    for (;;) {
        const size_t end = handles->pending.find_first_of("\r\n");
        if (end != std::string::npos) {
            std::string line = handles->pending.substr(0, end);
            handles->pending.erase(0, end + 1);
            return line;
        }
        char buffer[512];
        const size_t got = readMessageBytes(buffer, sizeof buffer);
        if (got == 0) {
            if (handles->pending.empty())
                return std::nullopt;
            return std::exchange(handles->pending, std::string());
        }
        handles->pending.append(buffer, got);
    }
}

EncoderProcess::EncoderProcess(std::unique_ptr<Handles> processHandles) : handles(std::move(processHandles))
{
}
