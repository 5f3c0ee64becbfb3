#include "console.h"

#include <cstdio>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>

void waitForKeypress(const std::string& message)
{
    // The frames stop, and the page puts the message where the game was.
    emscripten_cancel_main_loop();
    EM_ASM(
        {
            if (Module.showFatalError)
                Module.showFatalError(UTF8ToString($0));
        },
        message.c_str());
}

#else

void waitForKeypress(const std::string&)
{
    std::getchar();
}

#endif
