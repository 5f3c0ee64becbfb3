// --verify-replay on its own, for a machine with no window: the browser build's simulation,
// checked under Node against the replays the desktop builds recorded.
#include <cstring>
#include <string>

#include "console.h"
#include "verify_replay.h"

int main(int argc, char** argv)
{
    std::string file;
    bool soundLog = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--verify-replay") == 0 && i + 1 < argc)
            file = argv[++i];
        else if (std::strcmp(argv[i], "--audio-log") == 0)
            soundLog = true;
    }
    if (file.empty()) {
        printLine("Usage: zarnok-verify --verify-replay FILE [--audio-log]");
        return 2;
    }
    return verifyReplay(file, soundLog);
}
