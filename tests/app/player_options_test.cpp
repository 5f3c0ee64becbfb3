#include <gtest/gtest.h>

#include "gl.h"
#include "player_options.h"
#include "temp_dir.h"

namespace {

// The options read from a file of `content` over the game's defaults, and what the game said.
std::pair<PlayerOptions, std::string> optionsFrom(const std::string& content)
{
    TempDir home;
    writeFile(home / "options.ini", content);
    testing::internal::CaptureStdout();
    const PlayerOptions options = OptionsFile(home / "options.ini").load({});
    return {options, testing::internal::GetCapturedStdout()};
}

int lines(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

TEST(PlayerOptions, WhatTheGameWritesItReadsBackAndNothingMore)
{
    PlayerOptions chosen;
    chosen.audio = {100, 0, 35};
    chosen.video.fullscreen = true;
    chosen.video.quality = Quality::Medium;
    chosen.video.showFps = false;
    chosen.video.textSize = 125;
    chosen.input = {1.3f, true, false};
    chosen.keys.bind(Action::Jump, GLFW_KEY_J);
    chosen.keys.bind(Action::Left, GLFW_KEY_LEFT);
    const auto [read, said] = optionsFrom(optionsFileText(chosen));
    EXPECT_EQ(said, "");
    EXPECT_TRUE(read == chosen) << optionsFileText(read);
    EXPECT_NE(optionsFileText(chosen).find("jump = J\n"), std::string::npos);
    EXPECT_NE(optionsFileText(chosen).find("left = Left\n"), std::string::npos);
    EXPECT_NE(optionsFileText(chosen).find("quality = medium\n"), std::string::npos);

    // Saved only when something changed, and then whole.
    TempDir home;
    OptionsFile file(home / "options.ini");
    file.load({});
    file.save({});
    EXPECT_FALSE(std::filesystem::exists(home / "options.ini")) << "nothing changed";
    file.save(chosen);
    EXPECT_EQ(readFile(home / "options.ini"), optionsFileText(chosen));
}

TEST(PlayerOptions, EachBadValueIsSaidInOneLineAndItsDefaultUsed)
{
    const auto [bad, said] =
        optionsFrom("[audio]\nmaster = loud\neffects = 35\n[video]\nfullscreen = maybe\n"
                    "quality = ultra\ntext_size = 140\n[input]\nmouse_sensitivity = 9\n[keys]\njump = Hyperspace\n"
                    "left = N\n");
    EXPECT_EQ(bad.audio.master, 80);
    EXPECT_EQ(bad.audio.effects, 35);
    EXPECT_FALSE(bad.video.fullscreen);
    EXPECT_EQ(bad.video.textSize, 100);
    EXPECT_FLOAT_EQ(bad.input.mouseSensitivity, 1.0f);
    EXPECT_EQ(bad.keys.keyOf(Action::Jump), GLFW_KEY_SPACE);
    EXPECT_EQ(bad.keys.keyOf(Action::Left), GLFW_KEY_A);
    EXPECT_EQ(lines(said), 1) << said;
    for (const char* problem :
         {"master = loud is not a whole number from 0 to 100", "fullscreen = maybe is neither true nor false",
          "mouse_sensitivity = 9 is not a number from 0.1 to 5.0", "jump = Hyperspace is no key the game knows",
          "left = N: N shows the normals", "text_size = 140 is not 100, 125 or 150"})
        EXPECT_NE(said.find(problem), std::string::npos) << problem << " in: " << said;

    TempDir none;
    testing::internal::CaptureStdout();
    EXPECT_EQ(OptionsFile(none / "options.ini").load({}).audio.master, 80) << "no file is no error";
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(PlayerOptions, AFileThatIsNoOptionsFileIsSaidInOneLineAndTheDefaultsUsed)
{
    const auto [binary, saidBinary] = optionsFrom(std::string("[audio]\nmaster = 5\n\0\x01\x02", 22));
    EXPECT_EQ(binary.audio.master, 80);
    EXPECT_EQ(lines(saidBinary), 1);
    EXPECT_NE(saidBinary.find("it is not a text file"), std::string::npos) << saidBinary;

    const auto [huge, saidHuge] = optionsFrom("[audio]\nmaster = 5\n" + std::string(100000, ';'));
    EXPECT_EQ(huge.audio.master, 80);
    EXPECT_NE(saidHuge.find("it is too large"), std::string::npos) << saidHuge;

    // A folder in the file's place, and a folder that cannot be made: one line each, no more.
    TempDir home;
    std::filesystem::create_directories(home / "options.ini");
    PlayerOptions changed;
    changed.audio.music = 10;
    testing::internal::CaptureStdout();
    OptionsFile folder(home / "options.ini");
    EXPECT_EQ(folder.load({}).audio.effects, 80);
    folder.save(changed);
    const std::string saidFolder = testing::internal::GetCapturedStdout();
    EXPECT_EQ(lines(saidFolder), 1) << saidFolder;
    EXPECT_NE(saidFolder.find("it is a folder"), std::string::npos) << saidFolder;

    writeFile(home / "not-a-folder", "a file");
    testing::internal::CaptureStdout();
    OptionsFile unwritable(home / "not-a-folder/zarnok/options.ini");
    unwritable.load({});
    unwritable.save(changed);
    changed.audio.music = 20;
    unwritable.save(changed);
    const std::string saidUnwritable = testing::internal::GetCapturedStdout();
    EXPECT_EQ(lines(saidUnwritable), 1) << saidUnwritable;
    EXPECT_EQ(saidUnwritable.rfind("Could not save the options to ", 0), 0u) << saidUnwritable;
}
