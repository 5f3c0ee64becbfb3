#include <gtest/gtest.h>

#include <algorithm>

#include "dds_writer.h"
#include "game_tree.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> shaderLines(const std::string& output)
{
    std::vector<std::string> lines;
    for (const std::string& line : splitLines(output))
        if (line.rfind("Read shader: ", 0) == 0)
            lines.push_back(line);
    return lines;
}

// Runs the game of a tree whose assets a test has broken; stdin is at its end at once.
ProcessResult runBroken(const GameTree& tree)
{
    return tree.run({"--run_headless"}, {}, std::chrono::seconds(60));
}

} // namespace

TEST(ShaderLoading, EveryShaderIsReadInStartUpOrder)
{
    GameTree tree;
    const ProcessResult result = tree.run({"--run_headless"});
    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
    std::vector<std::string> expected;
    for (const char* pair : {"cornellGouraud", "texture", "procTexture", "cubes.vert texture", "ghost", "tile_motion",
                             "framebuffer.vert framebuffer_still", "framebuffer", "scene_copy", "text2d", "baseDecal", "baseDecal",
                             "baseDecal", "particle", "particle"}) {
        const std::string names(pair);
        const size_t blank = names.find(' ');
        const bool ownVertexStage = blank == std::string::npos;
        expected.push_back("Read shader: assets/shaders/" +
                           (ownVertexStage ? names + ".vert" : names.substr(0, blank)));
        expected.push_back("Read shader: assets/shaders/" + (ownVertexStage ? names : names.substr(blank + 1)) +
                           ".frag");
    }
    EXPECT_EQ(shaderLines(result.out), expected);
    EXPECT_EQ(splitLines(result.out).back(), "scored  0 points");
    EXPECT_EQ(result.err, "");
}

TEST(ShaderLoading, AMissingFileIsFatal)
{
    GameTree tree;
    fs::remove(tree.path("assets/shaders/texture.frag"));
    const ProcessResult result = runBroken(tree);
    EXPECT_EQ(result.exitCode, 1);
    const std::vector<std::string> lines = splitLines(result.out);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "Read shader: assets/shaders/texture.vert");
    EXPECT_EQ(lines.back(), "Could not find shader file: assets/shaders/texture.frag");
}

TEST(ShaderLoading, ACompileErrorIsFatalWithTheDriversLog)
{
    GameTree tree;
    writeFile(tree.path("assets/shaders/procTexture.frag"), "#version 330 core\nvoid main() { undeclared = 1; }\n");
    const ProcessResult result = runBroken(tree);
    EXPECT_EQ(result.exitCode, 1);
    const std::vector<std::string> lines = splitLines(result.out);
    const auto failure =
        std::find(lines.begin(), lines.end(), "Failed to compile shader: assets/shaders/procTexture.frag");
    ASSERT_NE(failure, lines.end()) << result.out;
    ASSERT_NE(failure + 1, lines.end());
    EXPECT_NE((failure + 1)->find("undeclared"), std::string::npos) << *(failure + 1);
}

TEST(ShaderLoading, APairThatDoesNotLinkIsFatal)
{
    GameTree tree;
    // Both stages compile, but the vertex stage writes texCoord as a vec2 and this reads a vec4.
    writeFile(tree.path("assets/shaders/texture.frag"), "#version 330 core\nin vec4 texCoord;\nout vec4 color;\n"
                                                        "void main() { color = texCoord; }\n");
    const ProcessResult result = runBroken(tree);
    EXPECT_EQ(result.exitCode, 1);
    const std::vector<std::string> lines = splitLines(result.out);
    const auto failure = std::find(lines.begin(), lines.end(), "Failed to link shader program:");
    ASSERT_NE(failure, lines.end()) << result.out;
    EXPECT_NE(failure + 1, lines.end());
    EXPECT_EQ(shaderLines(result.out).back(), "Read shader: assets/shaders/texture.frag");
}

TEST(TextureLoading, AMissingTextureIsFatal)
{
    GameTree tree;
    fs::remove(tree.path("assets/textures/alhambra_walls.dds"));
    const ProcessResult result = runBroken(tree);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(splitLines(result.out).back(), "Could not find texture file: assets/textures/alhambra_walls.dds");
}

TEST(TextureLoading, AnUncompressedTextureIsReportedAndTheGameRunsOn)
{
    GameTree tree;
    DdsHeaderFields rgba;
    rgba.width = rgba.height = 4;
    rgba.pixelFormatFlags = 0x41;
    rgba.fourCc = std::string(4, '\0');
    rgba.rgbBitCount = 32;
    writeFile(tree.path("assets/textures/wood_texture.dds"), encodeDdsHeader(rgba) + std::string(64, '\x40'));
    const ProcessResult result = runBroken(tree);
    EXPECT_EQ(result.exitCode, 0) << result.out;
    const std::vector<std::string> lines = splitLines(result.out);
    const std::string expected = "Unable to load DDS image file [" +
                                 tree.path("assets/textures/wood_texture.dds").string() +
                                 "] due to an unsupported format.";
    EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << result.out;
    EXPECT_EQ(lines.back(), "scored  0 points");
}

TEST(ModelLoading, TheGameFindsItsModelsFromAnyWorkingDirectory)
{
    GameTree tree;
    TempDir elsewhere;
    ProcessOptions options;
    options.workingDirectory = elsewhere.path();
    const ProcessResult result = tree.run({"--run_headless"}, options);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
}

TEST(ModelLoading, AMissingPlatformModelIsReportedBeforeTheBannerAndTheGameRuns)
{
    GameTree tree;
    fs::remove(tree.path("assets/models/new_platform.obj"));
    const ProcessResult result = tree.run({"--run_headless"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.err.find("new_platform.obj"), std::string::npos) << result.err;
}
