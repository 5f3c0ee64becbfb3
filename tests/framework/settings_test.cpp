#include <gtest/gtest.h>

#include "ini_file_reader.h"
#include "settings.h"
#include "temp_dir.h"

namespace {

// Parses `content` with a reader of settings files: inih's, as the game's settings loader does on
// Linux, and the game's own, which the Windows build uses. Both must read every case alike.
template <typename Reader> class IniParsing : public ::testing::Test {
protected:
    Reader parse(const std::string& content)
    {
        writeFile(tmp / "settings.ini", content);
        return Reader((tmp / "settings.ini").string());
    }

    TempDir tmp;
};

#ifdef _WIN32
using Readers = ::testing::Types<IniFileReader>; // INIReader is IniFileReader there
#else
using Readers = ::testing::Types<INIReader, IniFileReader>;
#endif
TYPED_TEST_SUITE(IniParsing, Readers);

} // namespace

TYPED_TEST(IniParsing, InlineCommentsNeedABlankBeforeTheSemicolon)
{
    const TypeParam reader = this->parse("[window]\nwidth = 1280 ; pixels\nheight=768;x\n");
    EXPECT_EQ(reader.ParseError(), 0);
    EXPECT_EQ(reader.Get("window", "width", ""), "1280");
    EXPECT_EQ(reader.Get("window", "height", ""), "768;x");
    EXPECT_EQ(reader.GetInteger("window", "height", 0), 768);
}

TYPED_TEST(IniParsing, SectionAndKeyNamesIgnoreCaseButSectionBlanksCount)
{
    const TypeParam reader = this->parse("[Window]\nFullscreen = YES\n[ renderer ]\nwireframe = true\n");
    EXPECT_TRUE(reader.GetBoolean("window", "fullscreen", false));
    EXPECT_FALSE(reader.GetBoolean("renderer", "wireframe", false));
    EXPECT_TRUE(reader.GetBoolean(" renderer ", "wireframe", false));
}

TYPED_TEST(IniParsing, NumbersReadTheirLeadingPartWithBaseDetection)
{
    const TypeParam reader = this->parse("[a]\nhex = 0x3C\noctal = 010\nunit = 1280px\nword = abc\nangle = 45.5deg\n");
    EXPECT_EQ(reader.GetInteger("a", "hex", 0), 60);
    EXPECT_EQ(reader.GetInteger("a", "octal", 0), 8);
    EXPECT_EQ(reader.GetInteger("a", "unit", 0), 1280);
    EXPECT_EQ(reader.GetInteger("a", "word", 42), 42);
    EXPECT_DOUBLE_EQ(reader.GetReal("a", "word", 2.5), 2.5);
    EXPECT_DOUBLE_EQ(reader.GetReal("a", "angle", 0.0), 45.5);
}

TYPED_TEST(IniParsing, BooleansMatchWholeWordsOnly)
{
    const TypeParam reader = this->parse("[b]\na = on\nb = 0\nc = True\nd = y\ne = enabled\n");
    EXPECT_TRUE(reader.GetBoolean("b", "a", false));
    EXPECT_FALSE(reader.GetBoolean("b", "b", true));
    EXPECT_TRUE(reader.GetBoolean("b", "c", false));
    EXPECT_FALSE(reader.GetBoolean("b", "d", false));
    EXPECT_TRUE(reader.GetBoolean("b", "e", true));
}

TYPED_TEST(IniParsing, RepeatedKeysAndContinuationLinesJoinWithLineBreaks)
{
    const TypeParam reader = this->parse("[k]\nname = A\nname = B\ntext = first\n  second\n");
    EXPECT_EQ(reader.Get("k", "name", ""), "A\nB");
    EXPECT_EQ(reader.Get("k", "text", ""), "first\nsecond");
}

TYPED_TEST(IniParsing, SyntaxErrorsReportTheFirstBadLineAndKeepTheRest)
{
    const TypeParam reader = this->parse("[window]\nno separator here\n[broken\nwidth = 640\n");
    EXPECT_EQ(reader.ParseError(), 2);
    EXPECT_EQ(reader.GetInteger("window", "width", 0), 640);
}

TYPED_TEST(IniParsing, AByteOrderMarkAndCommentLinesAreSkipped)
{
    const TypeParam reader =
        this->parse("\xEF\xBB\xBF[window]\n; a comment\n# another\ntitle = Hello # not a comment\n");
    EXPECT_EQ(reader.ParseError(), 0);
    EXPECT_EQ(reader.Get("window", "title", ""), "Hello # not a comment");
}

TYPED_TEST(IniParsing, LinesLongerThanTheBufferAreReadInPieces)
{
    // 199 bytes fit in one piece; the rest of the line is parsed as a line of its own.
    const std::string longValue(250, 'x');
    const TypeParam reader = this->parse("[w]\nkey = " + longValue + "\nafter = 1\n");
    EXPECT_EQ(reader.Get("w", "key", "").size(), 199u - 6u);
    EXPECT_EQ(reader.ParseError(), 3);
    EXPECT_EQ(reader.GetInteger("w", "after", 0), 1);
}

TEST(LoadSettings, ReadsTheShippedWindowSettingsSilently)
{
    testing::internal::CaptureStdout();
    const INIReader reader = loadSettings("assets/settings/window.ini");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(reader.ParseError(), 0);
    EXPECT_EQ(reader.GetInteger("window", "width", 0), 1280);
    EXPECT_EQ(reader.Get("window", "title", ""), "ZARNOK 2023");
}

TEST(LoadSettings, AMissingFileIsReportedOnceAndYieldsDefaults)
{
    testing::internal::CaptureStdout();
    const INIReader reader = loadSettings("assets/settings/missing.ini");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR: Failed to load 'assets/settings/missing.ini'. Using default values instead.\n");
    EXPECT_EQ(reader.ParseError(), -1);
    EXPECT_EQ(reader.GetInteger("window", "width", 1280), 1280);
}
