#include "test_asset.h"

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

#include "executable_path.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

TestAsset::TestAsset(const std::string& name, const std::string& bytes)
    : assetName("zarnok-test-" + std::to_string(getpid()) + "-" + name)
{
    writeFile(path(), bytes);
}

TestAsset::~TestAsset()
{
    std::error_code ignored;
    fs::remove(path(), ignored);
}

fs::path TestAsset::path() const
{
    return fs::path(executablePath()).parent_path() / assetName;
}
