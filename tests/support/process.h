#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct ProcessResult {
    int exitCode = -1; // -1 when the process was killed or did not end in time
    bool timedOut = false;
    std::string out;
    std::string err;
};

struct ProcessOptions {
    std::filesystem::path workingDirectory;
    std::map<std::string, std::optional<std::string>> environment; // nullopt removes the variable
    bool keepStdinOpen = false;                                    // otherwise the child reads end of input at once
};

// A child process whose standard output and error go to files and whose standard input is a pipe.
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool running();
    void writeStdin(const std::string& text);
    void closeStdin();
    ProcessResult wait(std::chrono::milliseconds timeout);
    std::string outputSoFar() const;
    // Waits until the process has written its `occurrence`-th line that starts with `prefix`, and
    // returns that line; an empty one if the process ended, or `timeout` passed, first.
    std::string waitForLine(const std::string& prefix, int occurrence = 1,
                            std::chrono::milliseconds timeout = std::chrono::seconds(120));
    pid_t id() const { return pid; }
    // Resident memory in kilobytes, or -1 once the process has ended.
    long residentKilobytes() const;

private:
    pid_t pid = -1;
    int stdinFd = -1;
    std::optional<int> status;
    std::filesystem::path outPath;
    std::filesystem::path errPath;
};

ProcessResult runProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {},
                         std::chrono::milliseconds timeout = std::chrono::seconds(60));

// Runs a short helper command (xdotool and the like) and returns its standard output, trimmed.
std::string commandOutput(const std::vector<std::string>& argv,
                          std::chrono::milliseconds timeout = std::chrono::seconds(20));

std::vector<std::string> splitLines(const std::string& text);
