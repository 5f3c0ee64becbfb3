#include "dates.h"

#include <ctime>

namespace {

std::string dateOf(const std::tm* time)
{
    char text[16] = "";
    if (time != nullptr)
        std::strftime(text, sizeof text, "%Y-%m-%d", time);
    return text;
}

} // namespace

std::string localDate()
{
    const std::time_t now = std::time(nullptr);
    return dateOf(std::localtime(&now));
}

std::string utcDate()
{
    const std::time_t now = std::time(nullptr);
    return dateOf(std::gmtime(&now));
}
