#include "crash_handler.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "crash_record.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#elif !defined(_WIN32)
#include <execinfo.h>
#endif

namespace {

// Everything the handler needs is made before it can run: it may not allocate.
struct CrashFiles {
    char folders[2][1024] = {}; // the data folder and its replays, made if missing
    char replay[1024] = {};
    char replayPart[1040] = {};
    char log[1024] = {};
};
CrashFiles files;

// A line of the report built in place, without the C library's formatting.
class ReportLine {
public:
    ReportLine& text(const char* words)
    {
        while (*words != '\0' && length < sizeof line - 1)
            line[length++] = *words++;
        return *this;
    }
    ReportLine& number(unsigned long long value, unsigned base = 10)
    {
        char digits[24];
        int count = 0;
        do {
            digits[count++] = "0123456789abcdef"[value % base];
            value /= base;
        } while (value > 0);
        while (count > 0 && length < sizeof line - 1)
            line[length++] = digits[--count];
        return *this;
    }
    const char* data() const { return line; }
    size_t size() const { return length; }

private:
    char line[1200] = {};
    size_t length = 0;
};

// The log's timestamp, "2026-12-10 11:52:03.123 " in UTC, from the days since 1970.
void stamp(ReportLine& line, long long milliseconds)
{
    const long long seconds = milliseconds / 1000;
    long long days = seconds / 86400;
    const long long daySeconds = seconds % 86400;
    // Howard Hinnant's days-to-civil algorithm.
    days += 719468;
    const long long era = days / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shifted = (5 * dayOfYear + 2) / 153;
    const long long day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    const long long month = shifted < 10 ? shifted + 3 : shifted - 9;
    const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    const auto two = [&](long long value) {
        line.number(static_cast<unsigned long long>(value / 10)).number(static_cast<unsigned long long>(value % 10));
    };
    line.number(static_cast<unsigned long long>(year)).text("-");
    two(month);
    line.text("-");
    two(day);
    line.text(" ");
    two(daySeconds / 3600);
    line.text(":");
    two(daySeconds / 60 % 60);
    line.text(":");
    two(daySeconds % 60);
    line.text(".");
    line.number(static_cast<unsigned long long>(milliseconds % 1000 / 100))
        .number(static_cast<unsigned long long>(milliseconds % 100 / 10))
        .number(static_cast<unsigned long long>(milliseconds % 10))
        .text(" ");
}

// A report's line as the log keeps it: after the time it was written.
ReportLine stampedLine(const ReportLine& line, long long milliseconds)
{
    ReportLine stamped;
    stamp(stamped, milliseconds);
    stamped.text(line.data());
    return stamped;
}

void copyPath(char* to, size_t size, const std::string& path)
{
    std::snprintf(to, size, "%s", path.c_str());
}

void keepPaths(const std::filesystem::path& replay, const std::filesystem::path& log)
{
    copyPath(files.folders[0], sizeof files.folders[0], replay.parent_path().parent_path().string());
    copyPath(files.folders[1], sizeof files.folders[1], replay.parent_path().string());
    copyPath(files.replay, sizeof files.replay, replay.string());
    copyPath(files.replayPart, sizeof files.replayPart, replay.string() + ".part");
    copyPath(files.log, sizeof files.log, log.string());
}

bool writeReplay();

// What the run was, and where it went: the same on every platform.
template <typename Report> void reportRun(Report& report)
{
    const CrashRecord::RunState run = crashRecord().runState();
    ReportLine version;
    version.text("Version ").text(ZARNOK_VERSION);
    if (!run.running) {
        report.say(version.text(": no run was being played."));
        return;
    }
    version.text(", seed ").number(run.seed).text(", tick ").number(run.ticks).text(", ");
    version.number(static_cast<unsigned long long>(run.points < 0 ? 0 : run.points)).text(" points.");
    report.say(version);
    if (writeReplay())
        report.say(ReportLine()
                       .text("The run up to the crash is in '")
                       .text(files.replay)
                       .text("': zarnok --verify-replay plays it again."));
    else
        report.say(
            ReportLine().text("The run up to the crash could not be written to '").text(files.replay).text("'."));
}

} // namespace

#ifdef _WIN32

namespace {

long long nowMilliseconds()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<long long>(ticks / 10000 - 11644473600000ULL);
}

void writeAll(HANDLE file, const void* data, size_t size)
{
    DWORD written = 0;
    WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr);
}

// The console and the log, each line with its time in the log.
class Report {
public:
    Report()
        : log(files.log[0] != '\0' ? CreateFileA(files.log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                                   : INVALID_HANDLE_VALUE)
    {
    }
    ~Report()
    {
        if (log != INVALID_HANDLE_VALUE)
            CloseHandle(log);
    }
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;
    void say(const ReportLine& line)
    {
        const HANDLE console = GetStdHandle(STD_ERROR_HANDLE);
        if (console != INVALID_HANDLE_VALUE && console != nullptr) {
            writeAll(console, line.data(), line.size());
            writeAll(console, "\r\n", 2);
        }
        if (log == INVALID_HANDLE_VALUE)
            return;
        const ReportLine stamped = stampedLine(line, nowMilliseconds());
        writeAll(log, stamped.data(), stamped.size());
        writeAll(log, "\n", 1);
    }

private:
    HANDLE log;
};

bool writeReplay()
{
    for (const char* folder : files.folders)
        CreateDirectoryA(folder, nullptr);
    const HANDLE file =
        CreateFileA(files.replayPart, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    crashRecord().writeReplay([&](const std::uint8_t* bytes, size_t size) { writeAll(file, bytes, size); });
    CloseHandle(file);
    return MoveFileExA(files.replayPart, files.replay, MOVEFILE_REPLACE_EXISTING) != 0;
}

void reportCrash(const char* what, unsigned long code)
{
    Report report;
    report.say(ReportLine().text("ZARNOK 2023 crashed: ").text(what).text(" 0x").number(code, 16).text("."));
    reportRun(report);
    void* frames[48];
    const USHORT count = CaptureStackBackTrace(0, 48, frames, nullptr);
    const auto base = reinterpret_cast<unsigned long long>(GetModuleHandleA(nullptr));
    report.say(ReportLine().text("Backtrace (addresses in zarnok.exe from its base):"));
    for (USHORT i = 0; i < count; ++i) {
        const auto address = reinterpret_cast<unsigned long long>(frames[i]);
        report.say(ReportLine().text("  0x").number(address - base, 16));
    }
}

LONG WINAPI onUnhandledException(EXCEPTION_POINTERS* exception)
{
    reportCrash("unhandled exception", exception->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

void installCrashHandler(const std::filesystem::path& replay, const std::filesystem::path& log)
{
    keepPaths(replay, log);
    SetUnhandledExceptionFilter(onUnhandledException);
}

void crashOnPurpose()
{
    RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    std::abort();
}

#else

namespace {

long long nowMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void writeAll(int fd, const void* data, size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written <= 0)
            return;
        bytes += written;
        size -= static_cast<size_t>(written);
    }
}

// The console and the log, each line with its time in the log.
class Report {
public:
    Report() : log(files.log[0] != '\0' ? ::open(files.log, O_WRONLY | O_APPEND | O_CLOEXEC) : -1) {}
    ~Report()
    {
        if (log >= 0)
            ::close(log);
    }
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;
    void say(const ReportLine& line)
    {
        writeAll(STDERR_FILENO, line.data(), line.size());
        writeAll(STDERR_FILENO, "\n", 1);
        if (log < 0)
            return;
        const ReportLine stamped = stampedLine(line, nowMilliseconds());
        writeAll(log, stamped.data(), stamped.size());
        writeAll(log, "\n", 1);
    }
#ifndef __EMSCRIPTEN__
    // The backtrace's own lines, as glibc writes them.
    void backtrace(void* const* frames, int count)
    {
        backtrace_symbols_fd(frames, count, STDERR_FILENO);
        if (log >= 0)
            backtrace_symbols_fd(frames, count, log);
    }
#endif

private:
    int log;
};

bool writeReplay()
{
    for (const char* folder : files.folders)
        ::mkdir(folder, 0755);
    const int fd = ::open(files.replayPart, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    crashRecord().writeReplay([&](const std::uint8_t* bytes, size_t size) { writeAll(fd, bytes, size); });
    ::close(fd);
    return ::rename(files.replayPart, files.replay) == 0;
}

#ifdef __EMSCRIPTEN__

} // namespace

// In a browser a fault stops the WebAssembly with a trap that no handler inside it sees; the page
// calls this once it has.
extern "C" EMSCRIPTEN_KEEPALIVE void zarnok_crashed()
{
    Report report;
    report.say(ReportLine().text("ZARNOK 2023 crashed: the WebAssembly stopped."));
    reportRun(report);
}

void installCrashHandler(const std::filesystem::path& replay, const std::filesystem::path& log)
{
    keepPaths(replay, log);
}

void crashOnPurpose()
{
    std::abort();
}

#else

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
// A stack of its own, so that a stack overflow can still be reported.
alignas(16) char handlerStack[64 * 1024];

// strsignal() may allocate; these are the signals handled.
const char* signalName(int signal)
{
    switch (signal) {
    case SIGSEGV:
        return "segmentation fault";
    case SIGBUS:
        return "bus error";
    case SIGFPE:
        return "arithmetic error";
    case SIGILL:
        return "illegal instruction";
    default:
        return "aborted";
    }
}

void onFatalSignal(int signal)
{
    Report report;
    report.say(ReportLine()
                   .text("ZARNOK 2023 crashed: ")
                   .text(signalName(signal))
                   .text(" (signal ")
                   .number(static_cast<unsigned long long>(signal))
                   .text(")."));
    reportRun(report);
    void* frames[48];
    const int count = ::backtrace(frames, 48);
    report.say(ReportLine().text("Backtrace:"));
    report.backtrace(frames, count);
    // The handler went with SA_RESETHAND: the signal now ends the process as it would have.
    ::raise(signal);
}

} // namespace

void installCrashHandler(const std::filesystem::path& replay, const std::filesystem::path& log)
{
    keepPaths(replay, log);
    // backtrace() loads libgcc on its first call, which is no thing to do inside a crash.
    void* warmUp[1];
    ::backtrace(warmUp, 1);
    stack_t stack{};
    stack.ss_sp = handlerStack;
    stack.ss_size = sizeof handlerStack;
    sigaltstack(&stack, nullptr);
    struct sigaction action {};
    action.sa_handler = onFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_ONSTACK;
    for (int signal : kFatalSignals)
        sigaction(signal, &action, nullptr);
}

void crashOnPurpose()
{
    ::raise(SIGSEGV);
    std::abort();
}

#endif

#endif
