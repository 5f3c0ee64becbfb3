// What the page asks of the game beyond running it; built into the browser game only.
#include <emscripten.h>

#include "verify_replay.h"

// The page's own --verify-replay, for a replay it has written into the game's file system.
extern "C" EMSCRIPTEN_KEEPALIVE int zarnok_verify_replay(const char* file)
{
    return verifyReplay(file, false);
}
