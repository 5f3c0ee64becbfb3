#pragma once

#include <string>

// --verify-replay: re-simulates the replay in `file` and says in one line what was recorded and
// what came out; with `soundLog`, first a line for each sound, with its tick. Returns the exit
// status: 0 when they are the same game, 1 when they differ or the file cannot be used.
int verifyReplay(const std::string& file, bool soundLog);
