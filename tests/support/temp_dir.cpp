#include "temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

#ifdef _WIN32

TempDir::TempDir()
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = fs::temp_directory_path() / ("zarnok-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            root = fs::canonical(candidate);
            return;
        }
    }
    throw std::runtime_error("no fresh temporary folder");
}

#else

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "zarnok-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    // Canonical, so paths compare equal to what the game derives from /proc/self/exe.
    root = fs::canonical(buffer.data());
}

#endif

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

void writeFile(const fs::path& path, const std::string& content)
{
    fs::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
    if (!file)
        throw std::runtime_error("cannot write " + path.string());
}

std::string readFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
