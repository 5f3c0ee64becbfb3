// Linked into every program of the sanitizer build, so the game and its tests need no environment.

#include <dlfcn.h>

extern "C" {

const char* __asan_default_options()
{
    return "detect_leaks=1";
}

const char* __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

const char* __lsan_default_options()
{
    return "print_suppressions=0";
}

// Memory the GL driver, LLVM, the X libraries and the sound libraries SDL tries keep for the life
// of the process, and what Assimp loses on some malformed model files.
const char* __lsan_default_suppressions()
{
    return "leak:libassimp\n"
           "leak:libLLVM\n"
           "leak:swrast_dri\n"
           "leak:libGLX_mesa\n"
           "leak:libGLX\n"
           "leak:libX11\n"
           "leak:libxcb\n"
           "leak:libdbus\n"
           "leak:libfontconfig\n"
           "leak:libSDL2\n"
           "leak:libasound\n"
           "leak:libpulse\n";
}
}

namespace {
// The Mesa driver is unloaded when the X display closes, before the leak check runs; its leaks
// would then show without a module name and escape the suppressions above. Keep it loaded.
__attribute__((constructor)) void keepSoftwareGlDriverLoaded()
{
    dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_LAZY | RTLD_NODELETE);
}
} // namespace
