#include "process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace {

fs::path uniqueOutputPath(const char* suffix)
{
    static int counter = 0;
    return fs::temp_directory_path() /
           ("zarnok-proc-" + std::to_string(getpid()) + "-" + std::to_string(++counter) + suffix);
}

std::string slurp(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

[[noreturn]] void execChild(const std::vector<std::string>& argv, const ProcessOptions& options, int stdinRead,
                            const fs::path& outPath, const fs::path& errPath)
{
    dup2(stdinRead, STDIN_FILENO);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0)
        _exit(126);
    // The games keep their logs in the build tree, unless a test gives them a folder of its own.
    setenv("XDG_STATE_HOME", ZARNOK_TEST_STATE_HOME, 1);
    for (const auto& [name, value] : options.environment) {
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
    }
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const ProcessOptions& options)
    : outPath(uniqueOutputPath(".out")), errPath(uniqueOutputPath(".err"))
{
    int stdinPipe[2];
    if (pipe2(stdinPipe, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        close(stdinPipe[1]);
        execChild(argv, options, stdinPipe[0], outPath, errPath);
    }
    close(stdinPipe[0]);
    stdinFd = stdinPipe[1];
    if (!options.keepStdinOpen)
        closeStdin();
}

ChildProcess::~ChildProcess()
{
    if (running()) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    closeStdin();
    std::error_code ignored;
    fs::remove(outPath, ignored);
    fs::remove(errPath, ignored);
}

bool ChildProcess::running()
{
    if (status)
        return false;
    int raw = 0;
    if (waitpid(pid, &raw, WNOHANG) == pid) {
        status = raw;
        return false;
    }
    return true;
}

void ChildProcess::writeStdin(const std::string& text)
{
    if (stdinFd >= 0 && ::write(stdinFd, text.data(), text.size()) < 0)
        throw std::runtime_error("write to child failed");
}

void ChildProcess::closeStdin()
{
    if (stdinFd >= 0) {
        close(stdinFd);
        stdinFd = -1;
    }
}

ProcessResult ChildProcess::wait(std::chrono::milliseconds timeout)
{
    ProcessResult result;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (running() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (running()) {
        result.timedOut = true;
        kill(pid, SIGKILL);
        int raw = 0;
        waitpid(pid, &raw, 0);
        status = raw;
    }
    if (WIFEXITED(*status) && !result.timedOut)
        result.exitCode = WEXITSTATUS(*status);
    result.out = slurp(outPath);
    result.err = slurp(errPath);
    return result;
}

std::string ChildProcess::outputSoFar() const
{
    return slurp(outPath);
}

std::string ChildProcess::waitForLine(const std::string& prefix, int occurrence, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const bool ended = !running();
        int seen = 0;
        for (const std::string& line : splitLines(outputSoFar()))
            if (line.rfind(prefix, 0) == 0 && ++seen == occurrence)
                return line;
        if (ended || std::chrono::steady_clock::now() >= deadline)
            return "";
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

ProcessResult runProcess(const std::vector<std::string>& argv, const ProcessOptions& options,
                         std::chrono::milliseconds timeout)
{
    ChildProcess child(argv, options);
    return child.wait(timeout);
}

std::string commandOutput(const std::vector<std::string>& argv, std::chrono::milliseconds timeout)
{
    std::string out = runProcess(argv, {}, timeout).out;
    while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    return out;
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

long ChildProcess::residentKilobytes() const
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}
