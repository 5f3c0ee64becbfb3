#pragma once

#include <filesystem>
#include <string>

// From here on a crash (a fatal signal on Linux, an unhandled exception on Windows) writes the run
// being played, as crashRecord() holds it, to `replay`, and a report (the version, the seed, the
// tick and a backtrace where the platform gives one) to the console and to the end of `log`, if
// any. The process then ends as the crash would have ended it.
void installCrashHandler(const std::filesystem::path& replay, const std::filesystem::path& log);

// Crashes the game as a fault would: the path a real crash takes, for the tests.
[[noreturn]] void crashOnPurpose();
