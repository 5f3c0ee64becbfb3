#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <thread>

#include "game_over_screen.h"
#include "game_tree.h"
#include "gl.h"
#include "ocr.h"
#include "pause_screen.h"
#include "run_screen.h"
#include "temp_dir.h"
#include "text_size.h"

namespace {

using namespace std::chrono_literals;

// The game as a player sets it up: its options in a config folder of its own, driven through the
// X server with xdotool. Each test waits for what the game says or writes, never for a time.
class SetUpGame : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (game && game->running())
            game->wait(1ms);
    }

    void start(const std::vector<std::string>& arguments = {"--seed", "326"})
    {
        ProcessOptions options;
        options.environment["XDG_CONFIG_HOME"] = configHome.path().string();
        options.environment["XDG_DATA_HOME"] = configHome.path().string();
        std::vector<std::string> argv{builtGameBinary().string()};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        game = std::make_unique<ChildProcess>(argv, options);
        const std::string found =
            commandOutput({"xdotool", "search", "--sync", "--onlyvisible", "--name", "^ZARNOK 2023"}, 60s);
        ASSERT_FALSE(found.empty()) << game->outputSoFar();
        windowId = splitLines(found).front();
        commandOutput({"xdotool", "windowfocus", "--sync", windowId});
        ASSERT_FALSE(line("Run started").empty());
    }

    std::string line(const std::string& prefix, int occurrence = 1)
    {
        const std::string said = game->waitForLine(prefix, occurrence);
        EXPECT_FALSE(said.empty()) << "no line '" << prefix << "...'\n" << game->outputSoFar();
        return said;
    }

    void keys(const std::vector<std::string>& names)
    {
        std::vector<std::string> argv{"xdotool", "key", "--delay", "50"};
        argv.insert(argv.end(), names.begin(), names.end());
        commandOutput(argv);
    }

    // Pauses the running game; when the tick it paused on is not past `tick`, resumes and pauses
    // again, so that a tick has run since. Returns the tick it paused on.
    long pauseAfter(long tick)
    {
        for (;;) {
            keys({"Escape"});
            const long paused = std::stol(line("Paused at tick", ++pauses).substr(15));
            if (paused > tick || HasFailure())
                return paused;
            resume();
        }
    }

    long resume()
    {
        keys({"Escape"});
        return std::stol(line("Resumed at tick", ++resumes).substr(16));
    }

    ProcessResult quit()
    {
        keys({"Escape", "q"});
        return game->wait(30s);
    }

    // Waits until the options file holds `text`.
    bool optionsHold(const std::string& text)
    {
        for (int attempt = 0; attempt < 3000; ++attempt) {
            if (readFile(optionsFile()).find(text) != std::string::npos)
                return true;
            if (!game->running())
                return false;
            std::this_thread::sleep_for(20ms);
        }
        return false;
    }

    std::filesystem::path optionsFile() const { return configHome / "zarnok/options.ini"; }

    TempDir configHome;
    std::unique_ptr<ChildProcess> game;
    std::string windowId;
    int pauses = 0;
    int resumes = 0;
};

// "W H" of the window, as the X server has it.
std::string windowSize(const std::string& windowId)
{
    const std::string geometry = commandOutput({"xdotool", "getwindowgeometry", windowId});
    const size_t at = geometry.find("Geometry: ");
    return at == std::string::npos ? geometry : geometry.substr(at + 10);
}

} // namespace

TEST_F(SetUpGame, OptionsChangedOnTheOptionsScreenAreSavedAndTheNextStartIsFullscreen)
{
    start();
    // A first start on this machine's software renderer chooses Low, says so, and keeps it.
    EXPECT_EQ(line("Graphics quality Low: llvmpipe").empty(), false);
    EXPECT_TRUE(optionsHold("quality = low")) << readFile(optionsFile());
    // Pause, open the options, effects volume down a step, fullscreen on.
    keys({"Escape", "o", "Down", "Down", "Left", "Down", "Down", "Down", "Return"});
    ASSERT_TRUE(optionsHold("effects = 70")) << readFile(optionsFile());
    ASSERT_TRUE(optionsHold("fullscreen = true")) << readFile(optionsFile());
    const std::string screen = commandOutput({"xdotool", "getdisplaygeometry"});
    const std::string width = screen.substr(0, screen.find(' '));
    const std::string height = screen.substr(screen.find(' ') + 1);
    // Without a window manager the window may lose the keyboard as it goes fullscreen, so it gets
    // it back once the game draws at the screen's size.
    line("Drawing at " + width + " x " + height + ".");
    commandOutput({"xdotool", "windowfocus", "--sync", windowId});
    keys({"Escape", "q"}); // back to the pause screen, and quit from it
    const ProcessResult first = game->wait(30s);
    ASSERT_EQ(first.exitCode, 0) << first.out;

    start();
    EXPECT_EQ(game->outputSoFar().find("Graphics quality"), std::string::npos) << "the choice is made once";
    EXPECT_EQ(windowSize(windowId), width + "x" + height);
    EXPECT_EQ(quit().exitCode, 0);
}

TEST_F(SetUpGame, AResizedWindowIsFilledByTheSceneWithTheHudInItsCorners)
{
    start();
    commandOutput({"xdotool", "windowsize", windowId, "800", "600"});
    line("Drawing at 800 x 600.");
    TempDir shots;
    ASSERT_TRUE(captureWindow(windowId, shots / "resized.png"));
    ASSERT_EQ(quit().exitCode, 0);

    EXPECT_EQ(commandOutput({"identify", "-format", "%w %h", (shots / "resized.png").string()}), "800 600");
    // The start rows fill the bottom of the picture from edge to edge; the sky is above them.
    for (const char* corner : {"0,599", "799,599", "400,590"})
        EXPECT_NE(commandOutput({"convert", (shots / "resized.png").string(), "-format",
                                 std::string("%[pixel:p{") + corner + "}]", "info:"}),
                  "srgb(255,204,255)")
            << "sky at the bottom, at " << corner;
    ScreenState state = windowState(0);
    state.width = 800;
    state.height = 600;
    const std::vector<ScreenItem> hud = hudItems(state);
    // "Blocks dropped:" top left, "[ESC] Pause" top right, both at their size: not stretched.
    expectLegible(shots / "resized.png", {hud[1], hud[4]}, 600);
}

TEST_F(SetUpGame, TheGamePausesWhenItsWindowLosesTheFocus)
{
    start();
    ASSERT_EQ(glfwInit(), GLFW_TRUE);
    GLFWwindow* other = glfwCreateWindow(200, 100, "another window", nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    commandOutput({"xdotool", "search", "--sync", "--onlyvisible", "--name", "^another window"}, 30s);
    commandOutput(
        {"xdotool", "windowfocus", "--sync", commandOutput({"xdotool", "search", "--name", "^another window"})});
    EXPECT_FALSE(line("Paused at tick").empty());
    glfwTerminate();
    commandOutput({"xdotool", "windowfocus", "--sync", windowId});
    keys({"q"});
    EXPECT_EQ(game->wait(30s).exitCode, 0) << "Q quits only from the pause screen";
}

// Looking about moves the captured pointer nowhere the player can see. Opened after the view was
// turned, the options choose their first row, not the one the hidden pointer was left over: two
// turns from the screen's middle take it to the mouse sensitivity's row of a 1280 x 768 window.
TEST_F(SetUpGame, TheOptionsOpenOnTheirFirstRowWhereverTheViewTurnedThePointer)
{
    commandOutput({"xdotool", "mousemove", "960", "540"});
    start();
    for (int turn = 0; turn < 2; ++turn) {
        commandOutput({"xdotool", "mousemove_relative", "--", "-540", "-239"});
        pauseAfter(0); // the game has taken the turn back to the window's middle
        resume();
    }
    keys({"Escape", "o", "Right"});
    EXPECT_TRUE(optionsHold("master = 90")) << readFile(optionsFile());
    EXPECT_TRUE(optionsHold("mouse_sensitivity = 1.0")) << readFile(optionsFile());
    keys({"Escape"}); // back to the pause screen
    keys({"q"});
    EXPECT_EQ(game->wait(30s).exitCode, 0);
}

// With jump on J, Space jumps no more and J does. What each did is in the run's replay: a jump
// asked for is taken by the next tick, and the test lets ticks run after each key.
TEST_F(SetUpGame, AKeyBoundInTheOptionsFileTakesTheActionFromItsDefault)
{
    writeFile(optionsFile(), "[keys]\njump = J\n");
    start();
    keys({"space"});
    const long spaceSeen = pauseAfter(-1);
    resume();
    // A tick has run since Space: had it asked for a jump, that tick took it.
    const long afterSpace = pauseAfter(spaceSeen);
    keys({"j"}); // while paused: the first tick after resuming takes it
    const long resumed = resume();
    pauseAfter(resumed);
    keys({"q"});
    ASSERT_EQ(game->wait(30s).exitCode, 0);

    const ProcessResult sounds = runProcess({builtGameBinary().string(), "--verify-replay",
                                             (configHome / "zarnok/replays/last.replay").string(), "--audio-log"});
    std::vector<long> jumps;
    for (const std::string& said : splitLines(sounds.out))
        if (said.size() > 6 && said.compare(said.size() - 6, 6, ": jump") == 0)
            jumps.push_back(std::stol(said.substr(5)));
    EXPECT_EQ(jumps, std::vector<long>{resumed + 1}) << "Space was pressed before tick " << afterSpace << "\n"
                                                     << sounds.out;
}

// Each of these gives one line, and the game plays on: it pauses, and Q quits.
TEST_F(SetUpGame, EachBadOptionsFileIsSaidInOneLineAndTheGamePlays)
{
    struct Case {
        std::string name;
        std::function<void(const std::filesystem::path&)> make;
        std::string said;
    };
    const std::vector<Case> cases{
        {"binary",
         [](const auto& file) {
             writeFile(file, std::string("\x7f"
                                         "ELF\0\0\x01",
                                         7));
         },
         "Ignoring the options file"},
        {"huge", [](const auto& file) { writeFile(file, "[audio]\n" + std::string(200000, 'x')); },
         "Ignoring the options file"},
        {"bad values", [](const auto& file) { writeFile(file, "[audio]\nmaster = -4\n[input]\ninvert_mouse_y = x\n"); },
         "In the options file"},
        {"unknown key", [](const auto& file) { writeFile(file, "[keys]\njump = Hyperspace\n"); },
         "In the options file"},
        {"folder", [](const auto& file) { std::filesystem::create_directories(file); }, "Ignoring the options file"},
        {"unwritable", [](const auto& file) { writeFile(file.parent_path(), "a file, not a folder"); },
         "Could not save the options"},
    };
    for (const Case& bad : cases) {
        std::filesystem::remove_all(configHome / "zarnok");
        bad.make(optionsFile());
        start();
        if (bad.name == "unwritable")
            keys({"F11"}); // a change, to be saved
        keys({"Escape"});
        line("Paused at tick");
        keys({"q"});
        const ProcessResult result = game->wait(30s);
        EXPECT_EQ(result.exitCode, 0) << bad.name;
        const std::vector<std::string> lines = splitLines(result.out);
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [&](const std::string& said) { return said.rfind(bad.said, 0) == 0; }),
                  1)
            << bad.name << ":\n"
            << result.out;
    }
}

// At 150 % in a 1280 x 720 window every line of the pause and game-over screens reads whole, at
// the place the larger text puts it.
TEST_F(SetUpGame, AtTheLargestTextSizeThePauseAndGameOverScreensReadWhole)
{
    writeFile(configHome / "zarnok/options.ini", "[video]\ntext_size = 150\n");
    start();
    commandOutput({"xdotool", "windowsize", windowId, "1280", "720"});
    line("Drawing at 1280 x 720.");
    TempDir shots;
    keys({"Escape"});
    const std::string paused = line("Paused at tick");
    ASSERT_TRUE(captureWindow(windowId, shots / "paused.png"));
    keys({"Escape"});
    line("Resumed at tick");
    keys({"2"});
    const std::string over = line("Game over at tick");
    ASSERT_TRUE(captureWindow(windowId, shots / "over.png"));
    keys({"q"});
    ASSERT_EQ(game->wait(30s).exitCode, 0);

    const auto pointsIn = [](const std::string& said) { return std::stoi(said.substr(said.find(" with ") + 6)); };
    ScreenState state = windowState(pointsIn(paused));
    state.height = 720;
    std::vector<ScreenItem> pause = pauseScreenItems(state);
    applyTextSize(pause, 150, 1280, 720);
    expectLegible(shots / "paused.png", pause, 720);

    state.points = pointsIn(over);
    state.newBest = state.bestRunSaved = state.points > 0;
    state.rank = state.points > 0 ? 1 : 0;
    std::vector<ScreenItem> ending = gameOverScreenItems(state);
    applyTextSize(ending, 150, 1280, 720);
    expectLegible(shots / "over.png", ending, 720);
}
