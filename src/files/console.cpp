#include "console.h"

#include <cstdio>
#include <cstdlib>

void printLine(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void waitForKeypress()
{
    std::getchar();
}

void fatalError(const std::string& message)
{
    printLine(message);
    waitForKeypress();
    std::exit(1);
}

void printOverLine(const std::string& text)
{
    std::fputc('\r', stdout);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}
