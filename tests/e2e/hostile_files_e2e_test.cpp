#include <gtest/gtest.h>

#include <algorithm>

#include "dds_writer.h"
#include "game_tree.h"

namespace fs = std::filesystem;

namespace {

// One broken or hostile asset file, and what the game must make of it.
struct HostileFile {
    std::string name;
    std::string asset; // the file replaced in a copy of the asset tree
    std::string content;
    int exitCode;           // 0: the game runs on; 1: a fatal error, as for a missing file
    std::string message;    // a line the game prints about it: "" for none, "<path>" for the file's full path,
                            // and a closing "..." for any ending
    std::string error = ""; // a text the game writes to standard error about it
};

std::string ddsHeader(std::uint32_t width, std::uint32_t height, const std::string& fourCc, std::uint32_t pitch = 0,
                      std::uint32_t flags = 0x4)
{
    DdsHeaderFields fields;
    fields.width = width;
    fields.height = height;
    fields.fourCc = fourCc;
    fields.pitchOrLinearSize = pitch;
    fields.pixelFormatFlags = flags;
    return encodeDdsHeader(fields);
}

std::string randomBytes(std::size_t count, unsigned seed)
{
    std::string bytes(count, '\0');
    for (char& c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return bytes;
}

const std::string kWood = "assets/textures/wood_texture.dds";
const std::string kUnreadable = "Unable to load DDS image file from path[<path>]";
const std::string kCutShort = "Unable to load DDS image file [<path>]: its image data is cut short.";

std::vector<HostileFile> hostileFiles()
{
    const std::string validDxt1 = ddsHeader(8, 8, "DXT1", 32) + std::string(32, '\x55');
    return {
        {"DdsCutInsideTheHeader", kWood, ddsHeader(8, 8, "DXT1").substr(0, 70), 0, kUnreadable},
        {"DdsCutInsideTheData", kWood, validDxt1.substr(0, validDxt1.size() - 5), 0, kCutShort},
        {"DdsPitchFarLargerThanTheFile", kWood, ddsHeader(8, 8, "DXT1", 0x7FFFFFF0) + std::string(32, '\x55'), 0, ""},
        {"DdsOfZeroSize", kWood, ddsHeader(0, 0, "DXT1") + std::string(32, '\0'), 0, kUnreadable},
        {"DdsOfEnormousSize", kWood, ddsHeader(0xFFFFFFFFu, 0xFFFFFFFFu, "DXT5") + std::string(64, '\0'), 0, kCutShort},
        {"DdsLargerThanTheDriverTakes", kWood, ddsHeader(40000, 4, "DXT1") + std::string(80000, '\0'), 0,
         "Unable to load DDS image file [<path>]: 40000 x 4 is larger than the ..."},
        {"DdsWithAnUnsupportedDx10Format", kWood,
         ddsHeader(4, 4, "DX10") + encodeDx10Header(98) + std::string(16, '\0'), 0,
         "Unable to load DDS image file [<path>] due to an unsupported format."},
        {"DdsWithRandomBytesAfterTheMagic", kWood, "DDS " + randomBytes(4000, 7), 0, kUnreadable},
        {"ObjEmpty", "assets/models/new_platform.obj", "", 0, "", "new_platform.obj': "},
        {"ObjBinary", "assets/models/powerup_glide.obj", randomBytes(3000, 11), 0, "", "powerup_glide.obj': "},
        {"ObjWithoutNormals", "assets/models/powerup_double.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", 0, "",
         "powerup_double.obj': a mesh has no normals; it is drawn with zero normals."},
        {"ObjWithIndicesOutOfRange", "assets/models/powerup_double.obj",
         "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nf 1//1 2//1 9//1\nf -7 2 3\nf 1 2 3\n", 0, "", "powerup_double.obj': "},
        {"SettingsWithAHundredThousandByteLine", "assets/settings/window.ini",
         "[window]\ntitle = " + std::string(100000, 'x') + "\nwidth = 640\n", 0, ""},
        {"SettingsWithZeroBytes", "assets/settings/renderer_standard.ini",
         std::string("[renderer]\nwire\0frame = true\ndepthtest = \0false\n", 48), 0, ""},
        {"SettingsWithAnUnclosedSection", "assets/settings/window.ini", "[window\nwidth = 320\n", 0, ""},
        {"SettingsOfBinaryGarbage", "assets/settings/window.ini", randomBytes(5000, 3), 0, ""},
        {"SettingsWithAnImpossibleWindow", "assets/settings/window.ini", "[window]\nwidth = 100000\nheight = -3\n", 0,
         "Ignoring width = 100000 in 'assets/settings/window.ini': not between 1 and 8192. Using 1280 instead."},
        {"ShaderEmpty", "assets/shaders/texture.vert", "", 1, "Failed to compile shader: assets/shaders/texture.vert"},
        {"ShaderBinary", "assets/shaders/text2d.frag", randomBytes(2000, 5), 1,
         "Failed to compile shader: assets/shaders/text2d.frag"},
    };
}

// Test names say which file; its bytes are no use in a report.
void PrintTo(const HostileFile& file, std::ostream* out)
{
    *out << file.name;
}

class HostileAsset : public ::testing::TestWithParam<HostileFile> {};

} // namespace

TEST_P(HostileAsset, GivesItsMessageAndNeverCrashes)
{
    const HostileFile& file = GetParam();
    GameTree tree;
    writeFile(tree.path(file.asset), file.content);
    const ProcessResult result = tree.run({"--run_headless", "--seed", "1"});

    EXPECT_EQ(result.exitCode, file.exitCode) << result.out << result.err;
    EXPECT_EQ(result.err.find("Sanitizer"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("runtime error"), std::string::npos) << result.err;
    const std::vector<std::string> lines = splitLines(result.out);
    if (!file.message.empty()) {
        std::string expected = file.message;
        const auto at = expected.find("<path>");
        if (at != std::string::npos)
            expected.replace(at, 6, tree.path(file.asset).string());
        const bool prefix = expected.size() > 3 && expected.compare(expected.size() - 3, 3, "...") == 0;
        if (prefix)
            expected.resize(expected.size() - 3);
        const bool found = std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return prefix ? line.rfind(expected, 0) == 0 : line == expected;
        });
        EXPECT_TRUE(found) << "no line '" << file.message << "' in\n" << result.out;
    }
    if (!file.error.empty()) {
        EXPECT_NE(result.err.find(file.error), std::string::npos) << result.err;
    }
    if (file.exitCode == 0) {
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), "scored  0 points");
    }
}

INSTANTIATE_TEST_SUITE_P(Files, HostileAsset, ::testing::ValuesIn(hostileFiles()),
                         [](const ::testing::TestParamInfo<HostileFile>& info) { return info.param.name; });
