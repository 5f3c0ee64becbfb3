#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <thread>

#include "game_over_screen.h"
#include "game_tree.h"
#include "ocr.h"
#include "pause_screen.h"
#include "ppm.h"
#include "run_screen.h"
#include "temp_dir.h"
#include "test_window.h"

namespace {

using namespace std::chrono_literals;

// A track on which a player who touches nothing survives for many seconds.
const std::string kLongTrackSeed = "326";

// The number in the final line "scored  N points", or -1 if the output does not end with one.
int finalScore(const std::string& output)
{
    const std::vector<std::string> lines = splitLines(output);
    if (lines.empty())
        return -1;
    const std::string& last = lines.back();
    const std::string prefix = "scored  ";
    const std::string suffix = " points";
    if (last.rfind(prefix, 0) != 0 || last.size() <= prefix.size() + suffix.size() ||
        last.compare(last.size() - suffix.size(), suffix.size(), suffix) != 0)
        return -1;
    const std::string number = last.substr(prefix.size(), last.size() - prefix.size() - suffix.size());
    if (!std::all_of(number.begin(), number.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
        return -1;
    return std::stoi(number);
}

// The first number in `line` after `word`, or -1.
long numberAfter(const std::string& line, const std::string& word)
{
    const size_t at = line.find(word);
    return at == std::string::npos ? -1 : std::stol(line.substr(at + word.size()));
}

// The id of the game window that appears next.
std::string gameWindow(ChildProcess& game)
{
    const std::string found =
        commandOutput({"xdotool", "search", "--sync", "--onlyvisible", "--name", "^ZARNOK 2023"}, 60s);
    EXPECT_FALSE(found.empty()) << game.outputSoFar();
    return found.empty() ? "" : splitLines(found).front();
}

// Drives the real game window through the X server with xdotool, as a player's keyboard would.
// Each game keeps its best score and replays in a folder of its own. The tests wait for what the
// game says on its console, never for a time.
class PlayedGame : public ::testing::Test {
protected:
    void SetUp() override { start(); }

    void start(const std::vector<std::string>& arguments = {"--seed", kLongTrackSeed})
    {
        ProcessOptions options;
        options.environment["XDG_DATA_HOME"] = dataHome.path().string();
        std::vector<std::string> argv{builtGameBinary().string()};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        game = std::make_unique<ChildProcess>(argv, options);
        windowId = gameWindow(*game);
        ASSERT_FALSE(windowId.empty());
        commandOutput({"xdotool", "windowfocus", "--sync", windowId});
        ASSERT_FALSE(game->waitForLine("Run started with seed").empty()) << game->outputSoFar();
    }

    void TearDown() override
    {
        if (game && game->running())
            game->wait(1ms);
    }

    void press(const std::string& key) { commandOutput({"xdotool", "key", "--delay", "50", key}); }

    // The `occurrence`-th console line starting with `prefix`; fails the test if it never comes.
    std::string line(const std::string& prefix, int occurrence = 1)
    {
        const std::string said = game->waitForLine(prefix, occurrence);
        EXPECT_FALSE(said.empty()) << "no line '" << prefix << "...' (" << occurrence << ")\n" << game->outputSoFar();
        return said;
    }

    // Pauses and resumes until the run has played `tick` ticks, then leaves it running.
    void playUntilTick(long tick)
    {
        for (long reached = 0; reached < tick && !HasFailure();) {
            press("Escape");
            reached = numberAfter(line("Paused at tick", ++pauses), "tick ");
            press("Escape");
            line("Resumed at tick", pauses);
        }
    }

    // Escape and Q: quits from a running game and from the game-over screen alike.
    ProcessResult quit()
    {
        press("Escape");
        press("q");
        return game->wait(30s);
    }

    std::string title() { return commandOutput({"xdotool", "getwindowname", windowId}); }

    static bool isFrameRateTitle(const std::string& text)
    {
        const std::string prefix = "ZARNOK 2023 | FPS: ";
        if (text.rfind(prefix, 0) != 0 || text.size() == prefix.size())
            return false;
        return std::all_of(text.begin() + static_cast<long>(prefix.size()), text.end(),
                           [](unsigned char c) { return std::isdigit(c) != 0; });
    }

    std::filesystem::path bestScoreFile() const { return dataHome / "zarnok/best_score"; }
    std::filesystem::path lastReplay() const { return dataHome / "zarnok/replays/last.replay"; }

    TempDir dataHome;
    std::unique_ptr<ChildProcess> game;
    std::string windowId;
    int pauses = 0;
};

} // namespace

TEST_F(PlayedGame, TheTitleShowsTheFrameRate)
{
    std::string current;
    for (int attempt = 0; attempt < 100 && !isFrameRateTitle(current); ++attempt) {
        std::this_thread::sleep_for(100ms);
        current = title();
    }
    EXPECT_TRUE(isFrameRateTitle(current)) << current;
}

TEST_F(PlayedGame, QQuitsOnlyFromThePauseScreen)
{
    press("q");
    for (const char* key : {"F1", "F2", "F1", "F2"})
        press(key);
    // Still there to pause: Q did not quit.
    press("Escape");
    line("Paused at tick");
    press("q");
    const ProcessResult result = game->wait(30s);
    EXPECT_EQ(result.exitCode, 0) << result.out;
    EXPECT_GE(finalScore(result.out), 0) << result.out;
}

namespace {

// Mean brightness (0 to 1) of the lower half of a screenshot: cubes, wherever the player stands.
double lowerHalfBrightness(const std::filesystem::path& png)
{
    const std::string mean = commandOutput(
        {"convert", png.string(), "-crop", "1280x384+0+384", "+repage", "-format", "%[fx:mean]", "info:"});
    return std::stod(mean);
}

} // namespace

TEST_F(PlayedGame, ThePauseScreenDimsTheFrozenSceneAndEscapeReturnsToTheHud)
{
    TempDir shots;
    ASSERT_TRUE(captureWindow(windowId, shots / "running.png"));
    press("Escape");
    const long pausedWith = numberAfter(line("Paused at tick"), " with ");
    ASSERT_TRUE(captureWindow(windowId, shots / "paused.png"));
    ASSERT_TRUE(captureWindow(windowId, shots / "still-paused.png"));
    press("Escape");
    line("Resumed at tick");
    ASSERT_TRUE(captureWindow(windowId, shots / "resumed.png"));
    const ProcessResult result = quit();
    ASSERT_EQ(result.exitCode, 0) << result.out;
    const int score = finalScore(result.out);
    ASSERT_GE(score, 0) << result.out;

    EXPECT_LT(lowerHalfBrightness(shots / "paused.png"), 0.8 * lowerHalfBrightness(shots / "running.png"));
    EXPECT_EQ(lowerHalfBrightness(shots / "paused.png"), lowerHalfBrightness(shots / "still-paused.png"));
    expectLegible(shots / "paused.png", pauseScreenItems(windowState(static_cast<int>(pausedWith))));
    const std::vector<ScreenItem> hud = hudItems(windowState(0));
    expectLegible(shots / "resumed.png", {hud[1], hud[4]});
}

// F12 over the pause screen: a PNG of the window's size in the data folder's screenshots, named
// on the console, with the pixels of a grab of the window (below the notice that names it).
TEST_F(PlayedGame, F12SavesTheFrameAsShownAsAPngAndSaysWhere)
{
    press("Escape");
    line("Paused at tick");
    press("F12");
    const std::string said = line("Screenshot written to '");
    TempDir shots;
    ASSERT_TRUE(captureWindow(windowId, shots / "grab.png"));
    press("q");
    ASSERT_EQ(game->wait(30s).exitCode, 0);

    const std::string prefix = "Screenshot written to '";
    const std::filesystem::path file = said.substr(prefix.size(), said.size() - prefix.size() - 2);
    EXPECT_EQ(file.parent_path(), dataHome / "zarnok/screenshots");
    EXPECT_EQ(commandOutput({"identify", "-format", "%m %wx%h", file.string()}), "PNG 1280x768");
    // Below the notice, which shows once the file is written.
    const auto below = [&](const std::filesystem::path& image, const std::string& name) {
        commandOutput({"convert", image.string(), "-crop", "1280x720+0+48", "+repage", (shots / name).string()});
        return (shots / name).string();
    };
    const ProcessResult differing = runProcess(
        {"compare", "-metric", "AE", "-fuzz", "2%", below(file, "a.png"), below(shots / "grab.png", "b.png"), "null:"});
    EXPECT_LT(std::stol(differing.err), 1280 * 720 / 200) << differing.err;
}

TEST_F(PlayedGame, RPlaysAgainFromTheStartAndTheBestOfTheRunsIsKept)
{
    TempDir shots;
    // By then touched cubes have fallen and scored: the run ends with points.
    playUntilTick(300);
    press("2");
    line("Game over at tick");
    ASSERT_TRUE(captureWindow(windowId, shots / "over.png"));
    // The run's end saved its score: the first in this folder is a new best.
    const std::string saved = readFile(bestScoreFile());
    ASSERT_FALSE(saved.empty()) << game->outputSoFar();
    const int firstRun = std::stoi(saved);
    ScreenState over = windowState(firstRun);
    over.newBest = true;
    const std::vector<ScreenItem> overItems = gameOverScreenItems(over);
    expectLegible(shots / "over.png", {overItems[2], overItems[4], overItems[5]});

    press("r");
    line("Run started with seed " + kLongTrackSeed + ".", 2);
    ASSERT_TRUE(captureWindow(windowId, shots / "again.png"));
    const std::vector<ScreenItem> hud = hudItems(windowState(0));
    expectLegible(shots / "again.png", {hud[1], hud[2], hud[4]});
    const ProcessResult result = quit(); // a running game pauses first: the game-over screen is gone
    ASSERT_EQ(result.exitCode, 0) << result.out;
    const int secondRun = finalScore(result.out);
    ASSERT_GE(secondRun, 0) << result.out;
    EXPECT_EQ(readFile(bestScoreFile()), std::to_string(std::max(firstRun, secondRun)) + "\n");
}

// A best score that cannot be saved at game over is said once, and the game plays on to the end.
// (What a broken file or a folder in its place prints is the best-score tests' business.)
TEST_F(PlayedGame, ABestScoreThatCannotBeSavedIsReportedInOneLineAndTheGamePlaysOn)
{
    game->wait(1ms);
    // A data folder that cannot be made, as its parent is a file.
    writeFile(dataHome / "zarnok", "a file, not a folder");
    start();
    playUntilTick(300);
    press("2");
    line("Game over at tick");
    press("q");
    const ProcessResult result = game->wait(30s);
    EXPECT_EQ(result.exitCode, 0) << result.out;
    EXPECT_GT(finalScore(result.out), 0) << result.out;
    int reports = 0;
    for (const std::string& said : splitLines(result.out))
        reports += said.find("Could not save the best score") != std::string::npos ? 1 : 0;
    EXPECT_EQ(reports, 1) << result.out;
}

TEST_F(PlayedGame, ReleasingTwoDropsEveryCubeAndTheGameOverScreenShowsTheFinalScore)
{
    TempDir shots;
    press("2");
    // The player falls with the cubes; once the game is over, Q alone quits.
    line("Game over at tick");
    ASSERT_TRUE(captureWindow(windowId, shots / "over.png"));
    press("Escape"); // nothing happens on the game-over screen
    press("q");
    const ProcessResult result = game->wait(30s);
    ASSERT_EQ(result.exitCode, 0) << "Q did not quit: the game was not over\n" << result.out;
    const int score = finalScore(result.out);
    ASSERT_GE(score, 0) << result.out;
    // The first run a fresh best-score folder sees sets its best, unless it scored nothing.
    ScreenState over = windowState(score);
    over.newBest = score > 0;
    expectLegible(shots / "over.png", gameOverScreenItems(over));
}

// The same track played untouched is the same game in a window that draws 60 frames a second and
// in one that draws a third of that: the runner falls at the same tick with the same points.
TEST(UntouchedRun, EndsAtTheSameTickWithTheSamePointsInASmallAndALargeWindow)
{
    std::vector<std::string> endings;
    for (const char* size : {"width = 160\nheight = 100\n", "width = 1280\nheight = 768\n"}) {
        GameTree tree;
        writeFile(tree.path("assets/settings/window.ini"), std::string("[window]\n") + size);
        TempDir dataHome;
        ProcessOptions options{tree.root(), {{"XDG_DATA_HOME", dataHome.path().string()}}, false};
        ChildProcess game({tree.binary().string(), "--seed", "7"}, options);
        endings.push_back(game.waitForLine("Game over at tick"));
        commandOutput({"xdotool", "windowfocus", "--sync", gameWindow(game), "key", "q"});
        EXPECT_EQ(game.wait(30s).exitCode, 0);
    }
    EXPECT_FALSE(endings[0].empty());
    EXPECT_EQ(endings[0], endings[1]);
    EXPECT_GT(numberAfter(endings[0], " with "), 0) << endings[0];
}

// A run played with keys and the mouse is saved as the last replay. Re-simulated without a window
// it ends the same, and played back in a small window it ends with the same final line.
TEST_F(PlayedGame, TheLastRunsReplayVerifiesAndPlaysBackToTheSameScore)
{
    commandOutput({"xdotool", "keydown", "w", "mousemove_relative", "--", "40", "-15", "key", "space"});
    playUntilTick(120);
    commandOutput({"xdotool", "keyup", "w", "mousemove_relative", "--", "-90", "25", "key", "space"});
    playUntilTick(240);
    press("2");
    const std::string ending = line("Game over at tick");
    const ProcessResult played = quit();
    ASSERT_EQ(played.exitCode, 0) << played.out;
    const long points = numberAfter(ending, " with ");
    const long ticks = numberAfter(ending, "tick ");
    ASSERT_EQ(finalScore(played.out), points);

    const ProcessResult verified = runProcess({builtGameBinary().string(), "--verify-replay", lastReplay().string()});
    EXPECT_EQ(verified.exitCode, 0) << verified.out;
    const std::string expected = "recorded " + std::to_string(points) + " points in " + std::to_string(ticks) +
                                 " ticks, re-simulated " + std::to_string(points) + " points in " +
                                 std::to_string(ticks) + " ticks";
    EXPECT_NE(verified.out.find(expected), std::string::npos) << verified.out;

    GameTree small;
    writeFile(small.path("assets/settings/window.ini"), "[window]\nwidth = 160\nheight = 100\n");
    ChildProcess replay({small.binary().string(), "--replay", lastReplay().string()},
                        {small.root(), {{"XDG_DATA_HOME", dataHome.path().string()}}, false});
    EXPECT_EQ(replay.waitForLine("Game over at tick"), ending) << replay.outputSoFar();
    commandOutput({"xdotool", "windowfocus", "--sync", gameWindow(replay), "key", "q"});
    const ProcessResult replayed = replay.wait(30s);
    EXPECT_EQ(replayed.exitCode, 0) << replayed.out;
    EXPECT_EQ(finalScore(replayed.out), points) << replayed.out;
}

// A player's session leaves its console lines, each with its time, in zarnok.log; a headless run
// leaves none.
TEST(SessionLog, HoldsThePlayersConsoleLinesWithTheirTimes)
{
    PlayerFolders player;
    const std::filesystem::path log = player.state.path() / "zarnok" / "zarnok.log";
    ASSERT_EQ(
        runProcess({builtGameBinary().string(), "--run_headless", "--filename", (player.data.path() / "shot").string()},
                   player.options())
            .exitCode,
        0);
    EXPECT_FALSE(std::filesystem::exists(log));

    ChildProcess game({builtGameBinary().string(), "--seed", "7"}, player.options());
    ASSERT_FALSE(focusedGameWindow().empty()) << game.outputSoFar();
    ASSERT_FALSE(game.waitForLine("Game over at tick").empty()) << game.outputSoFar();
    const std::vector<std::string> printed = splitLines(game.outputSoFar());
    std::ifstream in(log);
    std::vector<std::string> logged;
    for (std::string line; std::getline(in, line);)
        logged.push_back(line);
    ASSERT_EQ(logged.size(), printed.size());
    for (size_t i = 0; i < printed.size(); ++i) {
        EXPECT_EQ(logged[i].substr(24), printed[i]);
        EXPECT_EQ(logged[i].substr(0, 2), "20") << logged[i];
    }
    kill(game.id(), SIGTERM);
}

// A run made to crash at tick 300 ends the game as the crash would, leaves the run up to it as
// crash.replay, which re-simulates to that tick, and the report in the log.
TEST(CrashReplay, ACrashLeavesTheRunUpToItAndAReportInTheLog)
{
    PlayerFolders player;
    ChildProcess game({builtGameBinary().string(), "--seed", kLongTrackSeed, "--crash-at-tick", "300"},
                      player.options());
    const ProcessResult crashed = game.wait(120s);
    EXPECT_FALSE(crashed.timedOut);
    EXPECT_NE(crashed.exitCode, 0) << crashed.out;
    EXPECT_NE(crashed.err.find("ZARNOK 2023 crashed: segmentation fault (signal 11)."), std::string::npos)
        << crashed.err;

    const std::filesystem::path replay = player.data.path() / "zarnok/replays/crash.replay";
    const ProcessResult verified =
        runProcess({builtGameBinary().string(), "--verify-replay", replay.string()}, {}, 60s);
    EXPECT_EQ(verified.exitCode, 0) << verified.out;
    EXPECT_NE(verified.out.find(" in 300 ticks, re-simulated "), std::string::npos) << verified.out;
    EXPECT_NE(verified.out.find(" in 300 ticks, final state "), std::string::npos) << verified.out;

    const std::string log = readFile(player.state.path() / "zarnok/zarnok.log");
    for (const std::string& expected :
         {std::string("ZARNOK 2023 crashed: segmentation fault"),
          "Version " + std::string(ZARNOK_VERSION) + ", seed " + kLongTrackSeed + ", tick 300, ",
          "The run up to the crash is in '" + replay.string() + "'", std::string("Backtrace:\n")})
        EXPECT_NE(log.find(expected), std::string::npos) << expected << "\n" << log;
    EXPECT_EQ(log.find("scored "), std::string::npos) << "the game ended by the crash, not on its own";
}
