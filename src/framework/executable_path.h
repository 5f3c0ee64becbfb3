#pragma once

#include <string>

// The full path of the running executable, or the empty string when the platform
// cannot tell it or the path might have been truncated.
std::string executablePath();

// The platform's name as the user-facing messages say it ("Linux", "Windows").
const char* platformName();
