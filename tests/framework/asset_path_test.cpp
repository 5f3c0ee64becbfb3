#include <gtest/gtest.h>

#include "asset_path.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

const std::string kAsset = "assets/settings/window.ini";

// A candidate as the search reports it: in the platform's own separators.
std::string native(fs::path path)
{
    return path.make_preferred().string();
}

// A project tree with the root marker and an executable folder build/bin below it.
class AssetSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeFile(project() / "CMakeLists.txt", "");
        fs::create_directories(executableFolder());
    }

    fs::path project() const { return tmp / "project"; }
    fs::path executableFolder() const { return project() / "build/bin"; }

    TempDir tmp;
};

} // namespace

TEST_F(AssetSearch, FindsTheFileInTheProjectRootFromTheExecutableFolder)
{
    writeFile(project() / kAsset, "[window]\n");
    EXPECT_EQ(findAssetCandidates(executableFolder(), kAsset), std::vector<std::string>{native(project() / kAsset)});
}

TEST_F(AssetSearch, ListsEveryCopyNearestFirst)
{
    writeFile(project() / kAsset, "root");
    writeFile(project() / "build" / kAsset, "build");
    EXPECT_EQ(findAssetCandidates(executableFolder(), kAsset),
              (std::vector<std::string>{native(project() / "build" / kAsset), native(project() / kAsset)}));
}

TEST_F(AssetSearch, NeverLooksAboveTheMarkerFolder)
{
    writeFile(tmp / kAsset, "outside the project");
    EXPECT_TRUE(findAssetCandidates(executableFolder(), kAsset).empty());

    writeFile(project() / kAsset, "inside");
    EXPECT_EQ(findAssetCandidates(executableFolder(), kAsset).size(), 1u);
}

TEST_F(AssetSearch, AMarkerInTheExecutableFolderEndsTheWalkThere)
{
    writeFile(project() / kAsset, "root");
    writeFile(executableFolder() / "CMakeLists.txt", "");
    EXPECT_TRUE(findAssetCandidates(executableFolder(), kAsset).empty());

    writeFile(executableFolder() / kAsset, "beside the executable");
    EXPECT_EQ(findAssetCandidates(executableFolder(), kAsset),
              std::vector<std::string>{native(executableFolder() / kAsset)});
}

TEST_F(AssetSearch, AFolderWithTheAssetsNameIsNoCandidate)
{
    fs::create_directories(project() / "build" / kAsset);
    writeFile(project() / kAsset, "the real file");
    EXPECT_EQ(findAssetCandidates(executableFolder(), kAsset), std::vector<std::string>{native(project() / kAsset)});
}

TEST_F(AssetSearch, AnAbsoluteNameIsFoundInEveryFolderOfTheWalk)
{
    const fs::path absolute = tmp / "elsewhere.ini";
    writeFile(absolute, "");
    // bin, build and the project root: three folders, three candidates.
    EXPECT_EQ(findAssetCandidates(executableFolder(), absolute.string()).size(), 3u);
}

TEST(AssetSearchWithoutMarker, WalksToTheFileSystemRoot)
{
    TempDir tmp;
    const fs::path deep = tmp.path() / "a" / "b" / "c";
    fs::create_directories(deep);
    writeFile(tmp.path() / "a" / "zarnok-walk-probe.txt", "");
    writeFile(deep / "zarnok-walk-probe.txt", "");
    EXPECT_EQ(findAssetCandidates(deep, "zarnok-walk-probe.txt"),
              (std::vector<std::string>{(deep / "zarnok-walk-probe.txt").string(),
                                        (tmp.path() / "a" / "zarnok-walk-probe.txt").string()}));
}

TEST(ResolveAssetPath, FindsTheRealSettingsFromTheTestExecutable)
{
    const std::string path = resolveAssetPath(kAsset);
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::path(path).parent_path().parent_path().parent_path() / "CMakeLists.txt",
              fs::path(ZARNOK_SOURCE_DIR) / "CMakeLists.txt");
}

TEST(ResolveAssetPath, ReturnsEmptyForAMissingAsset)
{
    EXPECT_EQ(resolveAssetPath("assets/settings/no_such_file.ini"), "");
}
