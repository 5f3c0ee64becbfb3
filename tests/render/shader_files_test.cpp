#include <gtest/gtest.h>

#include "process.h"

namespace fs = std::filesystem;

// Every shader the game ships compiles with the reference GLSL compiler, not just Mesa's.
TEST(ShaderFiles, EveryFileCompilesWithTheReferenceCompiler)
{
    const fs::path folder = fs::path(ZARNOK_SOURCE_DIR) / "assets/shaders";
    int checked = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const ProcessResult result = runProcess({"glslangValidator", entry.path().string()});
        EXPECT_EQ(result.exitCode, 0) << entry.path() << "\n" << result.out << result.err;
        ++checked;
    }
    EXPECT_EQ(checked, 22);
}
