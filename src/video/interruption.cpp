#include "interruption.h"

#include <atomic>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace {
std::atomic<bool> interrupted{false};
}

#ifdef _WIN32

namespace {
BOOL WINAPI onConsoleControl(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    interrupted = true;
    return TRUE;
}
} // namespace

void catchInterruptions()
{
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

bool outputIsTerminal()
{
    return _isatty(_fileno(stdout)) != 0;
}

#else

namespace {
void onSignal(int)
{
    interrupted = true;
}
} // namespace

void catchInterruptions()
{
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool outputIsTerminal()
{
    return isatty(fileno(stdout)) != 0;
}

#endif

bool interruptionRequested()
{
    return interrupted;
}
