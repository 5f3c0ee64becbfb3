#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "game_tree.h"
#include "dates.h"
#include "ocr.h"
#include "temp_dir.h"
#include "title_screen.h"

namespace {

using namespace std::chrono_literals;

// The picture of a rectangle of a screenshot (origin top-left), as ImageMagick's signature.
// How many pixels of a rectangle (origin top-left) differ by more than 1 % between two screenshots.
int pixelsChanged(const std::filesystem::path& one, const std::filesystem::path& other, const std::string& geometry)
{
    const auto crop = [&](const std::filesystem::path& png) {
        const std::filesystem::path cropped = png.string() + ".crop.png";
        commandOutput({"convert", png.string(), "-crop", geometry, "+repage", cropped.string()});
        return cropped.string();
    };
    // compare writes its count to standard error.
    const std::string count = commandOutput(
        {"sh", "-c", "compare -metric AE -fuzz 1% \"$1\" \"$2\" null: 2>&1", "sh", crop(one), crop(other)});
    return std::stoi(count);
}

std::string signatureOf(const std::filesystem::path& png, const std::string& geometry)
{
    return commandOutput({"convert", png.string(), "-crop", geometry, "+repage", "-format", "%#", "info:"});
}

std::string contentOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

// A player's first start: the title over a moving demo, legible, with a menu that stays still.
// A click on "Play" starts a run; its end brings the title back, and the run is in the table with
// a replay that verifies. Escape and Enter on the title quit.
TEST(TitleScreen, OpensAPlayersGameAndEveryRunEndsBackThere)
{
    TempDir dataHome, configHome, shots;
    ProcessOptions options;
    options.environment["XDG_DATA_HOME"] = dataHome.path().string();
    options.environment["XDG_CONFIG_HOME"] = configHome.path().string();
    options.environment["SDL_AUDIODRIVER"] = "dummy";
    ChildProcess game({builtGameBinary().string()}, options);
    const std::string found =
        commandOutput({"xdotool", "search", "--sync", "--onlyvisible", "--name", "^ZARNOK 2023"}, 60s);
    ASSERT_FALSE(found.empty()) << game.outputSoFar();
    const std::string window = splitLines(found).front();
    commandOutput({"xdotool", "windowfocus", "--sync", window});
    ASSERT_FALSE(game.waitForLine("Title screen shown.").empty()) << game.outputSoFar();
    EXPECT_EQ(game.outputSoFar().find("Run started"), std::string::npos) << "no run before Play";

    ASSERT_TRUE(captureWindow(window, shots / "first.png"));
    // The demo moves: a later picture differs (the game has no line for a frame; a deadline
    // bounds the wait).
    const std::string whole = "1280x768+0+0";
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    do
        ASSERT_TRUE(captureWindow(window, shots / "later.png"));
    while (signatureOf(shots / "first.png", whole) == signatureOf(shots / "later.png", whole) &&
           std::chrono::steady_clock::now() < deadline);
    EXPECT_NE(signatureOf(shots / "first.png", whole), signatureOf(shots / "later.png", whole)) << "the demo stands";
    const std::string menu = "440x300+420+370";
    EXPECT_EQ(pixelsChanged(shots / "first.png", shots / "later.png", menu), 0) << "the menu moved";
    std::vector<ScreenItem> items;
    ScreenState state = windowState(0);
    state.daily = utcDate();
    titleScreenItems(state, TitleScreen::Play, items);
    items.erase(std::remove_if(items.begin(), items.end(),
                               [](const ScreenItem& item) {
                                   return !std::holds_alternative<TextItem>(item) ||
                                          std::get<TextItem>(item).text == ">";
                               }),
                items.end());
    ASSERT_EQ(items.size(), 6u);
    expectLegible(shots / "first.png", items);

    // "Play" stands 395 pixels from the window's top.
    commandOutput({"xdotool", "mousemove", "--window", window, "640", "395", "click", "1"});
    ASSERT_FALSE(game.waitForLine("Run started with seed").empty()) << game.outputSoFar();
    commandOutput({"xdotool", "key", "--delay", "50", "2"});
    const std::string over = game.waitForLine("Game over at tick");
    ASSERT_FALSE(over.empty()) << game.outputSoFar();
    commandOutput({"xdotool", "key", "--delay", "50", "Escape"});
    ASSERT_FALSE(game.waitForLine("Title screen shown.", 2).empty()) << game.outputSoFar();
    commandOutput({"xdotool", "key", "--delay", "50", "Escape", "Return"});
    const ProcessResult result = game.wait(30s);
    EXPECT_EQ(result.exitCode, 0) << result.out;

    const std::string points = over.substr(over.find(" with ") + 6, over.find(" points") - over.find(" with ") - 6);
    const std::filesystem::path data = dataHome / "zarnok";
    EXPECT_EQ(contentOf(data / "best_score"), points + "\n");
    const std::string table = contentOf(data / "scores");
    EXPECT_NE(table.find("\n" + points + " "), std::string::npos) << table;
    EXPECT_NE(table.find(" run-1.replay\n"), std::string::npos) << table;
    const ProcessResult verified =
        runProcess({builtGameBinary().string(), "--verify-replay", (data / "replays/run-1.replay").string()}, {}, 60s);
    EXPECT_EQ(verified.exitCode, 0) << verified.out;
    EXPECT_NE(verified.out.find("recorded " + points + " points"), std::string::npos) << verified.out;
}
