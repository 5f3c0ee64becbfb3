#include <gtest/gtest.h>

#include <algorithm>

#include "game_audio.h"
#include "game_over_screen.h"
#include "gamepad.h"
#include "gl.h"
#include "high_scores_screen.h"
#include "options_screen.h"
#include "pause_screen.h"
#include "play_screen.h"
#include "players_data.h"
#include "replay_check.h"
#include "replay_files.h"
#include "replay_screen.h"
#include "session.h"
#include "title_screen.h"

namespace {

// A player's game on the track of seed 7, with no sound device, no files and no window: the
// screens as the frame loop drives them.
class Screens : public ::testing::Test {
protected:
    Screens() : session(SessionSetup{true, 7}, audio) { session.setDrawingSize(1280, 768); }

    void begin(std::optional<Replay> replay = std::nullopt)
    {
        session.begin(std::make_unique<PhysicsWorld>(), std::move(replay));
    }

    void press(int key) { session.key({key, GLFW_PRESS, 0}); }
    void release(int key) { session.key({key, GLFW_RELEASE, 0}); }
    void tap(int key)
    {
        press(key);
        release(key);
    }
    void ticks(int count) { session.runTicks(count, TickSources{view, session.flags(), pad}); }

    template <typename Kind> bool onTop() const { return dynamic_cast<const Kind*>(&session.top()) != nullptr; }
    const GameWorld& world() const { return session.shownRun()->world(); }
    bool said(const std::string& line) const
    {
        return std::find(session.lines().begin(), session.lines().end(), line) != session.lines().end();
    }

    GameAudio audio;
    Session session;
    Camera view{glm::vec3(0.0f), 1.0f};
    PadReading pad;
};

} // namespace

TEST_F(Screens, EscapePausesAndResumesAndQQuitsOnlyFromThePause)
{
    begin();
    EXPECT_TRUE(said("Run started with seed 7."));
    ASSERT_TRUE(onTop<PlayScreen>());
    release(GLFW_KEY_Q);
    EXPECT_FALSE(session.quitRequested()) << "Q during play does nothing";

    press(GLFW_KEY_ESCAPE);
    EXPECT_TRUE(session.runsTicks()) << "Escape acts on its release";
    release(GLFW_KEY_ESCAPE);
    ASSERT_TRUE(onTop<PauseScreen>());
    EXPECT_FALSE(session.runsTicks());
    EXPECT_FALSE(session.playerLooks());
    EXPECT_FLOAT_EQ(session.musicLevel(), 0.35f);
    EXPECT_TRUE(said("Paused at tick 0 with 0 points."));

    tap(GLFW_KEY_ESCAPE);
    EXPECT_TRUE(onTop<PlayScreen>());
    EXPECT_TRUE(said("Resumed at tick 0."));
    EXPECT_TRUE(session.playerLooks());
    tap(GLFW_KEY_ESCAPE);
    tap(GLFW_KEY_Q);
    EXPECT_TRUE(session.quitRequested());
}

// Under the pause screen the run still hears Space (it jumps as the run resumes), the movement
// keys and the display switches; 2 asks nothing of a paused run.
TEST_F(Screens, TheKeysThePauseScreenLeavesReachTheRunBelow)
{
    begin();
    ticks(30); // standing on the start rows
    tap(GLFW_KEY_ESCAPE);
    press(GLFW_KEY_SPACE);
    press(GLFW_KEY_W);
    tap(GLFW_KEY_2);
    tap(GLFW_KEY_F1);
    tap(GLFW_KEY_N);
    EXPECT_TRUE(session.flags().moveForwardHeld);
    EXPECT_TRUE(session.flags().wireframeEnabled && session.flags().showNormals);
    tap(GLFW_KEY_ESCAPE);
    ticks(1);
    EXPECT_FALSE(world().player().canJump) << "Space pressed while paused jumps as the run resumes";
    const auto marked =
        std::count_if(world().cubes.begin(), world().cubes.end(), [](const auto& c) { return c->marked; });
    EXPECT_LT(marked, 30) << "2 released while paused dropped the track";
    release(GLFW_KEY_W);
    EXPECT_FALSE(session.flags().moveForwardHeld);
}

// Escape closes the options screen on its press. Its release, even a poll later, must not reach
// the pause screen and resume the run; the next Escape does.
TEST_F(Screens, TheOptionsScreenTakesEveryKeyAndKeepsTheReleaseOfTheOneThatClosedIt)
{
    begin();
    tap(GLFW_KEY_ESCAPE);
    tap(GLFW_KEY_O);
    ASSERT_TRUE(onTop<OptionsScreen>());
    EXPECT_TRUE(session.freesPointer());
    EXPECT_FLOAT_EQ(session.musicLevel(), 0.35f) << "the music as under the pause screen";
    tap(GLFW_KEY_W);
    tap(GLFW_KEY_F1);
    EXPECT_FALSE(session.flags().moveForwardHeld || session.flags().wireframeEnabled);
    tap(GLFW_KEY_RIGHT); // the master volume, one step up
    EXPECT_EQ(session.options().audio.master, 90);

    press(GLFW_KEY_ESCAPE);
    ASSERT_TRUE(onTop<PauseScreen>());
    EXPECT_FALSE(session.freesPointer());
    release(GLFW_KEY_ESCAPE);
    EXPECT_TRUE(onTop<PauseScreen>());
    tap(GLFW_KEY_ESCAPE);
    EXPECT_TRUE(onTop<PlayScreen>());
}

// The frame of the fall still shows the run, silent; the next one shows the game-over screen and
// says so. Escape has nothing to resume there; R starts the same track afresh.
TEST_F(Screens, TheGameOverScreenComesTheFrameAfterTheFallAndROffersAnotherRun)
{
    begin();
    tap(GLFW_KEY_2);
    for (int frame = 0; frame < 60 * 60 && session.runsTicks(); ++frame)
        ticks(1);
    ASSERT_FALSE(session.runsTicks());
    EXPECT_TRUE(onTop<PlayScreen>());
    EXPECT_FLOAT_EQ(session.musicLevel(), 0.0f);
    const std::string over =
        "Game over at tick " + std::to_string(world().ticks()) + " with " + std::to_string(world().points) + " points.";
    EXPECT_GT(world().points, 0);
    EXPECT_FALSE(said(over));
    session.startFrame();
    ASSERT_TRUE(onTop<GameOverScreen>());
    EXPECT_TRUE(said(over));
    EXPECT_EQ(session.records().best(), world().points);

    tap(GLFW_KEY_ESCAPE);
    EXPECT_TRUE(onTop<GameOverScreen>());
    press(GLFW_KEY_D);
    const std::uint64_t firstRun = session.runNumber();
    tap(GLFW_KEY_R);
    ASSERT_TRUE(onTop<PlayScreen>());
    EXPECT_EQ(session.runNumber(), firstRun + 1);
    EXPECT_EQ(world().ticks(), 0);
    EXPECT_EQ(world().points, 0);
    EXPECT_FALSE(session.flags().moveRightHeld) << "a new run starts with no key held";
}

// A replay plays its recorded keys: the player may only pause it, mute it and quit. A game that
// shows one replay offers no other run once it has ended.
TEST_F(Screens, AReplayTakesOnlyEscapeMuteAndQuitAndEndsWithItsRecording)
{
    ReplayRecorder recorder(7);
    for (int tick = 0; tick < 20; ++tick)
        recorder.record(TickInput{});
    begin(recorder.finish(0, 0));
    ASSERT_TRUE(onTop<ReplayScreen>());
    EXPECT_TRUE(said("Replaying a run of 20 ticks on seed 7."));
    EXPECT_FALSE(session.playerLooks());
    press(GLFW_KEY_W);
    tap(GLFW_KEY_F1);
    tap(GLFW_KEY_M);
    EXPECT_FALSE(session.flags().moveForwardHeld || session.flags().wireframeEnabled);
    EXPECT_TRUE(session.flags().muted);
    tap(GLFW_KEY_ESCAPE);
    tap(GLFW_KEY_O);
    EXPECT_TRUE(onTop<PauseScreen>()) << "no options over a replay";
    tap(GLFW_KEY_ESCAPE);

    ticks(4);
    ticks(4);
    ticks(100);
    EXPECT_EQ(world().ticks(), 20);
    session.startFrame();
    ASSERT_TRUE(onTop<GameOverScreen>());
    EXPECT_TRUE(said("The replay ended at tick 20 with " + std::to_string(world().points) + " points."));
    tap(GLFW_KEY_R);
    tap(GLFW_KEY_B);
    EXPECT_TRUE(onTop<GameOverScreen>());
    tap(GLFW_KEY_Q);
    EXPECT_TRUE(session.quitRequested());
}

// A video shows the run as it was played, with its ghost and no "Replay" on the HUD; no key changes
// it, and its end opens no screen.
TEST(VideoScreens, AVideoShowsTheRunAsPlayedWithItsGhostAndEndsWithItsRecording)
{
    ReplayRecorder recorder(7);
    for (int tick = 0; tick < 20; ++tick)
        recorder.record(TickInput{});
    const Replay replay = recorder.finish(0, 0);
    GameAudio audio;
    SessionSetup setup{false, 7};
    setup.video = true;
    Session session(setup, audio);
    session.setDrawingSize(1280, 720);
    session.begin(std::make_unique<PhysicsWorld>(), replay, replay);
    ASSERT_TRUE(session.shownRun()->ghost());
    session.key({GLFW_KEY_ESCAPE, GLFW_PRESS, 0});
    session.key({GLFW_KEY_ESCAPE, GLFW_RELEASE, 0});
    Camera view{glm::vec3(0.0f), 1.0f};
    const PadReading pad;
    for (int frame = 0; frame < 30; ++frame) {
        session.startFrame();
        if (session.runsTicks())
            session.runTicks(1, TickSources{view, session.flags(), pad});
    }
    EXPECT_EQ(session.shownRun()->world().ticks(), 20);
    EXPECT_TRUE(session.shownRun()->over());
    EXPECT_EQ(&session.top(), static_cast<const Screen*>(session.shownRun())) << "no pause or game-over screen over it";
    std::vector<ScreenItem> items;
    session.overlayItems(items);
    const auto shows = [&](const std::string& text) {
        return std::any_of(items.begin(), items.end(), [&](const ScreenItem& item) {
            return std::holds_alternative<TextItem>(item) && std::get<TextItem>(item).text.rfind(text, 0) == 0;
        });
    };
    EXPECT_TRUE(shows("Blocks dropped:"));
    EXPECT_TRUE(shows("Ghost "));
    EXPECT_FALSE(shows("Replay"));
}

// The gamepad as the keys: Start pauses and resumes, Y opens the options and B leaves them, A
// jumps, and Back quits from the pause screen.
TEST_F(Screens, TheGamepadPausesOpensTheOptionsAndQuits)
{
    begin();
    ticks(30);
    const auto pressed = [&](bool PadReading::*button) {
        PadReading reading;
        reading.*button = true;
        session.pad(reading);
    };
    pressed(&PadReading::start);
    ASSERT_TRUE(onTop<PauseScreen>());
    pressed(&PadReading::y);
    ASSERT_TRUE(onTop<OptionsScreen>());
    pressed(&PadReading::b);
    ASSERT_TRUE(onTop<PauseScreen>());
    pressed(&PadReading::start);
    ASSERT_TRUE(onTop<PlayScreen>());
    pressed(&PadReading::a);
    ticks(1);
    EXPECT_FALSE(world().player().canJump) << "A jumps";
    EXPECT_FALSE(session.quitRequested());
    pressed(&PadReading::start);
    pressed(&PadReading::back);
    EXPECT_TRUE(session.quitRequested());
}

// The title's menu takes the keys, the pad and the pointer; a run that ends, at game over or
// from the pause screen, is kept and brings the title back.
TEST(TitleScreens, TheMenuLeadsToARunAndEveryRunBackToTheTitle)
{
    GameAudio audio;
    Session session(SessionSetup{true, 7, true}, audio);
    session.setDrawingSize(1280, 768);
    Camera view{glm::vec3(0.0f), 1.0f};
    PadReading pad;
    const auto padPress = [&](bool PadReading::*button) {
        PadReading reading;
        reading.*button = true;
        session.pad(reading);
    };
    const auto title = [&]() { return dynamic_cast<const TitleScreen*>(&session.top()); };
    const auto key = [&](int k) { session.key({k, GLFW_PRESS, 0}), session.key({k, GLFW_RELEASE, 0}); };
    const auto saidTitle = [&]() {
        const bool said = std::count(session.lines().begin(), session.lines().end(), "Title screen shown.") == 1;
        session.clearLines();
        return said;
    };
    session.begin(std::make_unique<PhysicsWorld>(), std::nullopt);
    ASSERT_TRUE(title());
    EXPECT_TRUE(saidTitle());
    EXPECT_TRUE(session.freesPointer());
    EXPECT_FLOAT_EQ(session.musicLevel(), 1.0f);
    session.runTicks(30, TickSources{view, session.flags(), pad});
    EXPECT_EQ(session.shownRun()->world().ticks(), 30) << "the demo plays";

    key(GLFW_KEY_DOWN);
    key(GLFW_KEY_DOWN);
    key(GLFW_KEY_ENTER);
    ASSERT_TRUE(dynamic_cast<const HighScoresScreen*>(&session.top()));
    key(GLFW_KEY_ESCAPE);
    ASSERT_TRUE(title());
    session.pointer(PointerInput{640.0f, 200.0f, true, {}});
    EXPECT_EQ(title()->chosenLine(), TitleScreen::Options);
    session.pointer(PointerInput{640.0f, 200.0f, false, {GLFW_MOUSE_BUTTON_LEFT}});
    ASSERT_TRUE(dynamic_cast<const OptionsScreen*>(&session.top()));
    padPress(&PadReading::b);
    ASSERT_TRUE(title());
    for (int line = TitleScreen::Options; line > TitleScreen::Play; --line)
        padPress(&PadReading::menuUp);
    EXPECT_EQ(title()->chosenLine(), TitleScreen::Play);
    session.clearLines();
    padPress(&PadReading::a);
    ASSERT_TRUE(dynamic_cast<const PlayScreen*>(&session.top()));
    EXPECT_EQ(session.lines(), std::vector<std::string>{"Run started with seed 7."});

    key(GLFW_KEY_2);
    while (session.runsTicks())
        session.runTicks(1, TickSources{view, session.flags(), pad});
    const std::int32_t points = session.points();
    session.startFrame();
    ASSERT_TRUE(dynamic_cast<const GameOverScreen*>(&session.top()));
    std::vector<ScreenItem> items;
    session.overlayItems(items);
    const auto shows = [&](const std::string& text) {
        return std::any_of(items.begin(), items.end(), [&](const ScreenItem& item) {
            return std::holds_alternative<TextItem>(item) && std::get<TextItem>(item).text == text;
        });
    };
    EXPECT_TRUE(shows("1st of your ten best"));
    EXPECT_TRUE(shows("Press [Esc] for the menu"));
    session.clearLines();
    key(GLFW_KEY_ESCAPE);
    ASSERT_TRUE(title());
    EXPECT_TRUE(saidTitle());
    EXPECT_EQ(session.points(), points) << "the final line tells the player's run, not the demo's";
    ASSERT_EQ(session.records().scores().rows().size(), 1u);
    EXPECT_EQ(session.records().scores().rows()[0].points, points);

    key(GLFW_KEY_ENTER);
    session.runTicks(5, TickSources{view, session.flags(), pad});
    key(GLFW_KEY_ESCAPE);
    ASSERT_TRUE(dynamic_cast<const PauseScreen*>(&session.top()));
    key(GLFW_KEY_E);
    ASSERT_TRUE(title());
    EXPECT_EQ(session.records().record().runs, 2u) << "the run ended from the pause screen is kept";
    EXPECT_EQ(session.records().record().ticks,
              static_cast<std::uint64_t>(5 + session.records().scores().rows()[0].ticks.value_or(0)));
}

#ifndef _WIN32
// A run of the table is raced from the high scores: its track again, with its ghost one tick for
// each of the player's and on the HUD, until it falls. The daily run races the day's best from
// its second run on, and the daily table counts both runs; with the ghost turned off none runs.
TEST_F(Screens, RacesAndDailyRunsRunAGhostBesideThePlayer)
{
    PlayersData data;
    session.openRecords();
    const auto playToTheEnd = [&]() {
        while (session.runsTicks())
            ticks(1);
        session.startFrame();
    };
    const auto ghost = [&]() { return session.shownRun()->ghost(); };
    const auto hudShows = [&](const std::string& text) {
        std::vector<ScreenItem> items;
        session.overlayItems(items);
        return std::any_of(items.begin(), items.end(), [&](const ScreenItem& item) {
            return std::holds_alternative<TextItem>(item) && std::get<TextItem>(item).text == text;
        });
    };
    begin();
    playToTheEnd();
    const std::int32_t first = session.points();
    ASSERT_GT(first, 0);

    session.open(std::make_unique<HighScoresScreen>());
    session.clearLines();
    press(GLFW_KEY_R);
    ASSERT_TRUE(onTop<PlayScreen>());
    ASSERT_NE(ghost(), nullptr);
    EXPECT_TRUE(said("Racing a ghost that scored " + std::to_string(first) + " points."));
    // Slower than the ghost, which falls into a gap ahead first.
    press(GLFW_KEY_S);
    ticks(60);
    EXPECT_EQ(ghost()->world().ticks(), 60);
    EXPECT_LT(ghost()->position().z, world().player().camera.position.z - 0.5f) << "the ghost runs ahead";
    while (session.runsTicks() && !ghost()->ended())
        ticks(1);
    ASSERT_TRUE(ghost()->fell());
    const std::int64_t lead = ghost()->points() - world().points;
    EXPECT_TRUE(hudShows("Ghost fell at " + std::to_string(ghost()->points()) + " (" + (lead >= 0 ? "+" : "") +
                         std::to_string(lead) + ")"));
    release(GLFW_KEY_S);
    playToTheEnd();
    EXPECT_EQ(session.records().record().runs, 2u) << "a race is a run like any other";

    session.clearLines();
    session.playDaily("2026-12-09");
    EXPECT_TRUE(said("Daily run 2026-12-09: seed 3307136551."));
    EXPECT_EQ(session.shownRun()->seed(), 3307136551u);
    EXPECT_EQ(ghost(), nullptr) << "the day has no best yet";
    playToTheEnd();
    const std::int32_t dayBest = session.shownRun()->world().points;
    EXPECT_TRUE(hudShows("Daily run 2026-12-09: the day's best after 1 run"));
    release(GLFW_KEY_R);
    ASSERT_NE(ghost(), nullptr) << "playing again races the day's best";
    EXPECT_EQ(session.shownRun()->seed(), 3307136551u);
    EXPECT_EQ(ghost()->recordedPoints(), dayBest);
    playToTheEnd();
    ASSERT_EQ(session.records().daily().rows().size(), 1u);
    EXPECT_EQ(session.records().daily().rows()[0].attempts, 2u);
    EXPECT_EQ(session.records().daily().rows()[0].best, dayBest);

    PlayerOptions noGhost = session.options();
    noGhost.video.ghost = false;
    session.changeOptions(noGhost);
    release(GLFW_KEY_R);
    EXPECT_EQ(ghost(), nullptr);
}

// The viewer on the best run, beyond what the end-to-end test sees: its start is in reach from the
// game-over screen, and the speeds stop at their ends and fall silent above twice. Enter hands the run to the player as
// practice: kept as the last run, in neither the table, the best nor the record; playing again plays on from the same
// tick.
TEST_F(Screens, TheViewerSeeksAndHandsTheRunToThePlayerAsPractice)
{
    PlayersData data;
    session.openRecords();
    begin();
    while (session.runsTicks())
        ticks(1);
    const std::int32_t best = session.records().best();
    const auto recorded = static_cast<std::uint32_t>(world().ticks());
    session.watchBestRun();
    const auto viewer = [&]() { return dynamic_cast<const ReplayScreen*>(session.shownRun()); };
    press(GLFW_KEY_END);
    session.startFrame();
    ASSERT_TRUE(onTop<GameOverScreen>());
    press(GLFW_KEY_HOME);
    ASSERT_TRUE(onTop<ReplayScreen>());
    EXPECT_EQ(viewer()->position(), 0u);
    for (int step = 0; step < 3; ++step)
        press(GLFW_KEY_EQUAL);
    EXPECT_DOUBLE_EQ(session.runSpeed(), 4.0);
    EXPECT_FALSE(session.shownRun()->soundsEffects());
    for (int step = 0; step < 5; ++step)
        press(GLFW_KEY_MINUS);
    EXPECT_DOUBLE_EQ(session.runSpeed(), 0.25);
    ticks(recorded / 2);
    const std::uint32_t middle = viewer()->position();

    press(GLFW_KEY_ENTER);
    ASSERT_TRUE(onTop<PlayScreen>());
    EXPECT_EQ(world().ticks(), middle);
    tap(GLFW_KEY_2);
    while (session.runsTicks())
        ticks(1);
    EXPECT_EQ(session.records().best(), best);
    EXPECT_EQ(session.records().scores().rows().size(), 1u);
    EXPECT_EQ(session.records().record().runs, 1u);
    std::string error;
    const std::optional<Replay> last = loadReplay(data.replay("last.replay"), error);
    ASSERT_TRUE(last) << error;
    EXPECT_EQ(last->ticks, world().ticks());
    EXPECT_TRUE(sameGame(*last, resimulate(*last)));
    session.startFrame();
    release(GLFW_KEY_R);
    EXPECT_EQ(world().ticks(), middle) << "playing again plays on from the same tick";
}
#endif
