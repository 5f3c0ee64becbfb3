#include <gtest/gtest.h>

#include <INIReader.h>

#include <cmath>
#include <random>

#include "ini_file_reader.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

const char* const kSections[] = {"window", "renderer", "camera", " renderer ", "", "a", "b", "Sx"};
const char* const kNames[] = {"width",
                              "height",
                              "refresh_rate",
                              "fullscreen",
                              "title",
                              "wireframe",
                              "backface_culling",
                              "normals",
                              "texcoords",
                              "depthtest",
                              "fov",
                              "near",
                              "far",
                              "yaw",
                              "pitch",
                              "a",
                              "b",
                              "key",
                              "name"};

// Everything the game can ask of a settings file, asked of both readers of the same file.
void expectSameReading(const fs::path& file, const std::string& label)
{
    const INIReader inih(file.string());
    const IniFileReader own(file.string());
    ASSERT_EQ(own.ParseError(), inih.ParseError()) << label;
    for (const char* section : kSections)
        for (const char* name : kNames) {
            ASSERT_EQ(own.Get(section, name, "-"), inih.Get(section, name, "-")) << label << " " << name;
            ASSERT_EQ(own.GetInteger(section, name, -7), inih.GetInteger(section, name, -7)) << label << " " << name;
            const double ownReal = own.GetReal(section, name, 0.5);
            const double inihReal = inih.GetReal(section, name, 0.5);
            ASSERT_TRUE(ownReal == inihReal || (std::isnan(ownReal) && std::isnan(inihReal))) << label << " " << name;
            ASSERT_EQ(own.GetBoolean(section, name, true), inih.GetBoolean(section, name, true)) << label;
            ASSERT_EQ(own.GetBoolean(section, name, false), inih.GetBoolean(section, name, false)) << label;
        }
}

// Text made of the pieces INI syntax is made of, so that most of it nearly parses.
std::string randomIni(std::mt19937& random)
{
    static const std::string kPieces[] = {
        "[",    "]",   "=",   ":",     ";",  "#",    " ",      "\t",  "\n",           "\r\n",
        "\r",   "a",   "B",   "1",     "-3", "0x1F", "010",    "4.5", "1e400",        "nan",
        "true", "Off", "YES", "width", "Sx", "x",    "window", "",    "\xEF\xBB\xBF", std::string(60, 'n'),
        "\xff"};
    std::string text;
    const int pieces = std::uniform_int_distribution<int>(0, 120)(random);
    for (int i = 0; i < pieces; ++i) {
        const size_t which = std::uniform_int_distribution<size_t>(0, std::size(kPieces))(random);
        if (which == std::size(kPieces))
            text.append(std::uniform_int_distribution<size_t>(150, 260)(random), 'v'); // around a line's limit
        else if (kPieces[which].empty())
            text.push_back('\0');
        else
            text.append(kPieces[which]);
    }
    return text;
}

} // namespace

// The Windows build reads its settings with the game's own reader; on every settings file the
// tests and the fuzzer know, and on thousands of made-up ones, it must read what inih reads.
TEST(IniFileReader, ReadsEverySettingsFileAsInihDoes)
{
    TempDir tmp;
    int files = 0;
    const fs::path source(ZARNOK_SOURCE_DIR);
    for (const char* folder : {"assets/settings", "tests/fuzz/corpus/settings", "tests/fuzz/regressions/settings"})
        for (const fs::directory_entry& entry : fs::directory_iterator(source / folder)) {
            expectSameReading(entry.path(), entry.path().string());
            ++files;
        }
    EXPECT_GE(files, 6);
    expectSameReading(tmp / "missing.ini", "a missing file");
    expectSameReading(tmp.path(), "a folder");

    const std::string hostile[] = {"[window]\ntitle = " + std::string(100000, 'x') + "\nwidth = 640\n",
                                   std::string("[renderer]\nwire\0frame = true\ndepthtest = false\n", 48),
                                   "[window\nwidth = 320\n", "[window]\nwidth = 100000\nheight = -3\n",
                                   "[a]\nkey = first\n  second ; note\n\tthird;x\n[b]\n name = 2\n"};
    std::mt19937 random(20231);
    for (int i = 0; i < 3000; ++i) {
        const std::string text = i < static_cast<int>(std::size(hostile)) ? hostile[i] : randomIni(random);
        writeFile(tmp / "case.ini", text);
        expectSameReading(tmp / "case.ini", "case " + std::to_string(i) + ": " + ::testing::PrintToString(text));
        if (::testing::Test::HasFatalFailure())
            return;
    }
}
