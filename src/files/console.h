#pragma once

#include <filesystem>
#include <string>

// Every status and error line of the game goes through here: one line, then a flush,
// so the console shows it even if the process ends right after.
void printLine(const std::string& text);

// Waits until one character can be read from standard input (end of input counts),
// so a console window stays open long enough to read the message. A page has no console to
// wait on: it shows `message` in place of the game instead.
void waitForKeypress(const std::string& message);

// The one way a fatal error ends the game: print the message, wait for a key, exit with status 1.
[[noreturn]] void fatalError(const std::string& message);

// Writes `text` over the line the cursor is on, from its start, without ending it: a terminal's
// progress line.
void printOverLine(const std::string& text);

// From here on every line printed also goes to the log `file`, with the time it was printed, after
// the lines printed before this call. The last three logs are kept beside it as file.1 (the newest)
// to file.3. False, and `error` says why, when the log cannot be opened; the console goes on alone.
bool startLog(const std::filesystem::path& file, std::string& error);
// The log being kept, or an empty path.
std::filesystem::path logFile();
// The process keeps no log: the lines held back for one are let go, and none are held again.
void keepNoLog();
