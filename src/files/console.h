#pragma once

#include <string>

// Every status and error line of the game goes through here: one line, then a flush,
// so the console shows it even if the process ends right after.
void printLine(const std::string& text);

// Waits until one character can be read from standard input (end of input counts),
// so a console window stays open long enough to read the message.
void waitForKeypress();

// The one way a fatal error ends the game: print the message, wait for a key, exit with status 1.
[[noreturn]] void fatalError(const std::string& message);

// Writes `text` over the line the cursor is on, from its start, without ending it: a terminal's
// progress line.
void printOverLine(const std::string& text);
