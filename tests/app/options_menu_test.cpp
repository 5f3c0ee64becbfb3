#include <gtest/gtest.h>

#include "gl.h"
#include "options_menu.h"
#include "options_screen.h"

TEST(OptionsMenu, KeysMoveTheChoiceAndChangeTheChosenOption)
{
    OptionsMenu menu{PlayerOptions{}};
    menu.keyPressed(GLFW_KEY_DOWN);
    menu.keyPressed(GLFW_KEY_DOWN);
    EXPECT_EQ(menu.label(menu.chosen()), "Effects volume");
    menu.keyPressed(GLFW_KEY_LEFT);
    EXPECT_EQ(menu.options().audio.effects, 70);
    for (int i = 0; i < 20; ++i)
        menu.keyPressed(GLFW_KEY_RIGHT);
    EXPECT_EQ(menu.options().audio.effects, 100) << "volumes stop at 100";

    menu.choose(OptionsMenu::MouseSensitivity);
    menu.raise();
    menu.raise();
    menu.raise();
    EXPECT_EQ(menu.value(OptionsMenu::MouseSensitivity), "1.3");
    EXPECT_FLOAT_EQ(menu.options().input.mouseSensitivity, 1.3f);

    menu.choose(OptionsMenu::Fullscreen);
    menu.keyPressed(GLFW_KEY_ENTER);
    EXPECT_TRUE(menu.options().video.fullscreen);
    EXPECT_EQ(menu.value(OptionsMenu::Fullscreen), "On");

    menu.keyPressed(GLFW_KEY_UP);
    menu.keyPressed(GLFW_KEY_ESCAPE);
    EXPECT_TRUE(menu.closed());
}

TEST(OptionsMenu, AQualityThatWantsAnotherWindowSaysItComesAtTheNextStart)
{
    OptionsMenu menu{PlayerOptions{}, 4};
    menu.choose(OptionsMenu::GraphicsQuality);
    menu.lower();
    EXPECT_EQ(menu.value(OptionsMenu::GraphicsQuality), "Medium");
    EXPECT_EQ(menu.message(), "") << "Medium keeps the window's multisampling";
    menu.lower();
    menu.lower();
    EXPECT_EQ(menu.options().video.quality, Quality::Low);
    EXPECT_EQ(menu.message(), "The window's multisampling changes at the next start");
    menu.activate();
    EXPECT_EQ(menu.options().video.quality, Quality::Medium);
    menu.activate();
    menu.activate();
    EXPECT_EQ(menu.options().video.quality, Quality::Low) << "round from High to Low";
}

TEST(OptionsMenu, AKeyTakenByAnotherActionIsSwappedAndAKeyOfTheGamesOwnIsRefused)
{
    OptionsMenu menu{PlayerOptions{}};
    const int jump = OptionsMenu::FirstKey + static_cast<int>(Action::Jump);
    menu.choose(jump);
    menu.keyPressed(GLFW_KEY_ENTER);
    ASSERT_TRUE(menu.waitingForKey());
    EXPECT_EQ(menu.value(jump), "...");
    menu.keyPressed(GLFW_KEY_W);
    EXPECT_FALSE(menu.waitingForKey());
    EXPECT_EQ(menu.options().keys.keyOf(Action::Jump), GLFW_KEY_W);
    EXPECT_EQ(menu.options().keys.keyOf(Action::Forward), GLFW_KEY_SPACE);
    EXPECT_EQ(menu.message(), "W was Forward's key: Forward now has Space");

    menu.activate();
    menu.keyPressed(GLFW_KEY_O);
    EXPECT_EQ(menu.options().keys.keyOf(Action::Jump), GLFW_KEY_W);
    EXPECT_EQ(menu.message(), "O opens the options: choose another key");

    // Escape while waiting is no key after all, and leaves the screen open.
    menu.activate();
    menu.keyPressed(GLFW_KEY_ESCAPE);
    EXPECT_FALSE(menu.waitingForKey());
    EXPECT_FALSE(menu.closed());
    EXPECT_EQ(menu.options().keys.keyOf(Action::Jump), GLFW_KEY_W);
}

// Every row of the options screen lies inside the window, where a click finds it again, down to
// an 800 x 600 window.
TEST(OptionsScreen, EveryRowFitsTheWindowAndAClickFindsIt)
{
    for (const auto& [width, height] : {std::pair{1280, 768}, std::pair{800, 600}, std::pair{1920, 1080}})
        for (int row = 0; row < OptionsMenu::RowCount; ++row) {
            const OptionsRowPlace place = optionsRowPlace(row, width, height);
            EXPECT_GE(place.left, 0) << row << " in " << width << " x " << height;
            EXPECT_LE(place.right, width) << row << " in " << width << " x " << height;
            EXPECT_GT(place.y, place.size) << "above the message line: " << row << " in " << width << " x " << height;
            EXPECT_EQ(
                optionsRowAt(static_cast<float>(place.labelX + 2), static_cast<float>(place.y + 2), width, height),
                row);
        }
}

TEST(Quality, OnlyASoftwareRendererIsTakenForOne)
{
    EXPECT_TRUE(isSoftwareRenderer("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_TRUE(isSoftwareRenderer("Microsoft Basic Render Driver"));
    EXPECT_TRUE(isSoftwareRenderer("Google SwiftShader"));
    EXPECT_FALSE(isSoftwareRenderer("NVIDIA GeForce RTX 3060/PCIe/SSE2"));
    EXPECT_FALSE(isSoftwareRenderer("AMD Radeon Pro W5700 (radeonsi, navi10, LLVM 15.0.7, DRM 3.49)"))
        << "a GPU driver built with LLVM is no software renderer";
    EXPECT_EQ(qualityFromName("Medium"), Quality::Medium);
    EXPECT_FALSE(qualityFromName("ultra"));
}
