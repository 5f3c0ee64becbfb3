#include <gtest/gtest.h>

#include "process.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

// The committed textures, models, icons and sounds are exactly what the generator writes.
TEST(AssetGenerator, WritesTheCommittedFilesByteForByte)
{
    TempDir out;
    const ProcessResult result = runProcess({ZARNOK_ASSETGEN, out.path().string()}, {}, std::chrono::seconds(120));
    ASSERT_EQ(result.exitCode, 0) << result.err;

    const fs::path committed = fs::path(ZARNOK_SOURCE_DIR) / "assets";
    int compared = 0;
    for (const char* folder : {"textures", "models", "icons", "sounds"})
        for (const fs::directory_entry& entry : fs::directory_iterator(committed / folder)) {
            const fs::path generated = out / folder / entry.path().filename().string();
            ASSERT_TRUE(fs::exists(generated)) << "not generated: " << entry.path();
            EXPECT_TRUE(readFile(generated) == readFile(entry.path())) << "differs: " << entry.path();
            ++compared;
        }
    EXPECT_EQ(compared, 27);
}
