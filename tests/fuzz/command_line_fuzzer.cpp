// libFuzzer target: the command-line parser, with the input split into arguments at zero bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "startup_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> words{"zarnok"};
    std::string word;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word += static_cast<char>(data[i]);
        }
    }
    words.push_back(word);
    // Exactly as the system hands them over: no room for reading past the last argument.
    std::vector<const char*> argv;
    for (const std::string& w : words)
        argv.push_back(w.c_str());
    StartupOptions options;
    parseCommandLine(options, static_cast<int>(argv.size()), argv.data());
    return 0;
}
