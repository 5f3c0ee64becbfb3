#include "console.h"

#include <cerrno>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The lines before the game knows whether it keeps a log: a few dozen at most.
constexpr size_t kHeldLines = 256;
constexpr int kKeptLogs = 3;

// "2026-12-10 11:52:03.123 ", in UTC.
std::string timestamp()
{
    using namespace std::chrono;
    const system_clock::time_point now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto milliseconds = duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    char text[40] = {};
    const std::tm* utc = std::gmtime(&seconds);
    const size_t length = utc != nullptr ? std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", utc) : 0;
    std::snprintf(text + length, sizeof text - length, ".%03d ", static_cast<int>(milliseconds));
    return text;
}

fs::path keptLog(const fs::path& file, int number)
{
    fs::path kept = file;
    kept += "." + std::to_string(number);
    return kept;
}

// The log of the process's console lines: held back until the game knows whether it keeps one.
class ConsoleLog {
public:
    ~ConsoleLog() { close(); }

    void add(const std::string& line)
    {
        if (file != nullptr) {
            write(timestamp() + line);
        } else if (holding && held.size() < kHeldLines) {
            held.push_back(timestamp() + line);
        }
    }

    bool start(const fs::path& path, std::string& error)
    {
        close();
        holding = false;
        std::error_code code;
        fs::create_directories(path.parent_path(), code);
        // The oldest goes; each of the others moves one on.
        fs::remove(keptLog(path, kKeptLogs), code);
        for (int number = kKeptLogs - 1; number >= 1; --number)
            fs::rename(keptLog(path, number), keptLog(path, number + 1), code);
        fs::rename(path, keptLog(path, 1), code);
        file = std::fopen(path.string().c_str(), "w");
        if (file == nullptr) {
            error = std::generic_category().message(errno);
            held.clear();
            return false;
        }
        for (const std::string& line : held)
            write(line);
        held.clear();
        kept = path;
        return true;
    }

    const fs::path& path() const { return kept; }

    void stop()
    {
        close();
        holding = false;
        held.clear();
    }

private:
    void write(const std::string& line)
    {
        std::fwrite(line.data(), 1, line.size(), file);
        std::fputc('\n', file);
        std::fflush(file);
    }
    void close()
    {
        if (file != nullptr)
            std::fclose(file);
        file = nullptr;
        kept.clear();
    }

    std::FILE* file = nullptr;
    fs::path kept;
    bool holding = true;
    std::vector<std::string> held;
};

ConsoleLog& consoleLog()
{
    static ConsoleLog log;
    return log;
}

} // namespace

void printLine(const std::string& text)
{
    // The log first: whoever reads a line on the console finds it in the log already.
    consoleLog().add(text);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

bool startLog(const fs::path& file, std::string& error)
{
    return consoleLog().start(file, error);
}

fs::path logFile()
{
    return consoleLog().path();
}

void keepNoLog()
{
    consoleLog().stop();
}

void fatalError(const std::string& message)
{
    printLine(message);
    waitForKeypress(message);
    std::exit(1);
}

void printOverLine(const std::string& text)
{
    std::fputc('\r', stdout);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}
