#pragma once

#include <filesystem>
#include <string>

// A file placed beside the test program for the length of a test, where the game's asset search
// finds it under a plain relative name.
class TestAsset {
public:
    TestAsset(const std::string& name, const std::string& bytes);
    ~TestAsset();
    TestAsset(const TestAsset&) = delete;
    TestAsset& operator=(const TestAsset&) = delete;

    const std::string& name() const { return assetName; }
    std::filesystem::path path() const;

private:
    std::string assetName;
};
