#include "frame_loop.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>

#include <memory>
#include <utility>

namespace {

struct Frames {
    std::function<bool()> frame;
    std::function<int()> finish;
};

// The one frame loop of the page, from its start until `finish` has run.
std::unique_ptr<Frames> running;

void browserFrame()
{
    if (running->frame())
        return;
    emscripten_cancel_main_loop();
    const std::unique_ptr<Frames> ended = std::move(running);
    const int status = ended->finish();
    EM_ASM(
        {
            if (Module.gameEnded)
                Module.gameEnded($0);
        },
        status);
}

} // namespace

int runFrames(std::function<bool()> frame, std::function<int()> finish, bool paced)
{
    running = std::make_unique<Frames>(Frames{std::move(frame), std::move(finish)});
    // Not an endless loop here: main returns, and its caller keeps what the frames use.
    emscripten_set_main_loop(browserFrame, 0, false);
    if (!paced)
        emscripten_set_main_loop_timing(EM_TIMING_SETIMMEDIATE, 0);
    return 0;
}

bool hostPacesFrames()
{
    return true;
}

bool hostHasThreads()
{
    return false;
}

#else

int runFrames(std::function<bool()> frame, std::function<int()> finish, bool /*paced*/)
{
    while (frame()) {
    }
    return finish();
}

bool hostPacesFrames()
{
    return false;
}

bool hostHasThreads()
{
    return true;
}

#endif
