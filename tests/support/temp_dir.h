#pragma once

#include <filesystem>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return root; }
    std::filesystem::path operator/(const std::string& relative) const { return root / relative; }

private:
    std::filesystem::path root;
};

// Writes `content` to `path`, creating the folders on the way.
void writeFile(const std::filesystem::path& path, const std::string& content);

std::string readFile(const std::filesystem::path& path);
