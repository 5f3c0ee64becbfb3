#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app_state.h"
#include "physics_world.h"
#include "player_options.h"
#include "replay.h"
#include "replay_seeker.h"
#include "run_records.h"
#include "run_screen.h"
#include "screen.h"

class GameAudio;
struct PadReading;

// How a game is played: a player's own, or a headless run or a benchmark, which read and keep
// nothing of the player's and say nothing of runs.
struct SessionSetup {
    bool playersSession = true;
    // The track of every run (--seed, or a benchmark's); otherwise each run gets a new one.
    std::optional<std::uint32_t> fixedSeed;
    // The game opens on the title screen, and runs end back there.
    bool title = false;
    // The first run is the daily run of this date (--daily), not a new track.
    std::string daily{};
    // The replay is shown as a video is: as it was played, racing the ghost if one is given.
    bool video = false;
};

// What a new run is: a new track (or --seed's), the track of a recorded run raced against it as
// a ghost, or the daily run of a date, against that day's best.
// A practice run plays on from tick `fromTick` of the recording `practice`.
struct RunStart {
    std::optional<Replay> ghost;
    std::string daily{};
    std::optional<Replay> practice{};
    std::uint32_t fromTick = 0;
};

// The screens of a game, on a stack, and what they share: the switches and keys, the player's
// options and records, the sound and the console's lines. The frame loop hands it each frame's
// input, which goes to the screen on top (and on down, for the keys that screen leaves), and asks
// it what to show; the screens open and close one another through it.
class Session {
public:
    Session(SessionSetup setup, GameAudio& audio);
    ~Session();

    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The player's options from their file over `defaults`; a game that is no player's reads none.
    void loadOptions(const PlayerOptions& defaults);
    // Whether the graphics quality is settled: the player's file names one (they, or an earlier
    // start, chose it), or there is no file to keep a choice in.
    bool qualityChosen() const;
    // The best score and the replays in the player's data folder (not for a game that only shows
    // a replay, until the player takes it over), once.
    void openRecords();
    // The framebuffer's size, which the screens draw to and new runs take their picture's shape from.
    void setDrawingSize(int width, int height);
    void setWindowSamples(int samples) { windowSampleCount = samples; }

    // The first run: the one `replay` recorded, shown and nothing else (with `ghost` in a video),
    // or one of the player's, raced against `ghost` when there is one, on a physics world built
    // beforehand.
    void begin(std::unique_ptr<PhysicsWorld> physics, std::optional<Replay> replay, std::optional<Replay> ghost = {});
    // The game ends: the player's run being played is kept.
    void end();

    // Each frame, in this order.
    void startFrame();
    void key(const KeyEvent& event);
    void pointer(const PointerInput& pointer);
    void pad(const PadReading& pad);
    // The player left the window: a running run pauses.
    void playerLeft();
    // The ticks due, when the run on top runs.
    void runTicks(int due, const TickSources& sources);

    // What the frame loop asks.
    bool runsTicks() const;
    // How fast the run on top goes against real time (0: it stands still).
    double runSpeed() const;
    bool playerLooks() const;
    float musicLevel() const;
    bool freesPointer() const;
    void overlayItems(std::vector<ScreenItem>& items) const;
    const RunScreen* shownRun() const;
    // The points of the run shown.
    std::int32_t points() const;
    // Counts the runs begun: a new number is a new run to draw.
    std::uint64_t runNumber() const { return runsBegun; }
    bool quitRequested() const { return quitAsked; }
    // The lines said since they were last cleared, for the console once the frame is shown.
    const std::vector<std::string>& lines() const { return saidLines; }
    void clearLines() { saidLines.clear(); }
    const Screen& top() const { return *stack.back(); }

    // What the screens ask.
    void open(std::unique_ptr<Screen> screen);
    // `screen` must be on top.
    void close(const Screen& screen);
    bool onTop(const Screen& screen) const { return !stack.empty() && stack.back().get() == &screen; }
    // A new run in place of every screen, of the kind the last one was: a new track (under --seed
    // the same one again), the same race, or the same day's daily run.
    void playAgain();
    // A new track in place of every screen (under --seed the same one again).
    void playNewRun();
    // The daily run of `date` in place of every screen, against the day's best.
    void playDaily(const std::string& date);
    // The track of the table's row `index` in place of every screen, raced against its replay;
    // false when it has none.
    bool raceRow(size_t index);
    // The best daily run of `date` in place of every screen; false when there is none.
    bool watchDaily(const std::string& date);
    // The player takes over the recorded run where `seeker` has it, in place of every screen: a
    // practice run, whose replay holds the recording's inputs up to here and the player's after.
    void playOn(ReplaySeeker& seeker);
    // The run shown jumped to another tick: what is drawn of it starts again.
    void redrawRun() { ++runsBegun; }
    // The best run's replay in place of every screen, where there is one to watch.
    void watchBestRun();
    // The replay of the table's row `index` in place of every screen; false when it has none.
    bool watchRow(size_t index);
    // The replay in `file` in place of every screen; a file that is no replay is said and left.
    void watchFile(const std::string& file);
    bool offersTitle() const { return setup.title; }
    // The title in place of every screen, with the demo numbered `demoNumber` behind it and
    // `line` chosen; `announce`: the title is new to the player, and the console says so.
    void showTitle(int demoNumber, int line, bool announce, std::unique_ptr<PhysicsWorld> physics = nullptr);
    // The run shown ends, as quitting ends it, and the title comes back.
    void toTitle();
    void quit() { quitAsked = true; }
    void play(const SoundCue& cue);
    // A line for the console (a player's game only), said once the frame that shows it is shown.
    void say(std::string line);
    AppFlags& flags() { return switches; }
    const AppFlags& flags() const { return switches; }
    const KeyBindings& keys() const { return playerOptions.keys; }
    RunRecords& records() { return runRecords; }
    const RunRecords& records() const { return runRecords; }
    const PlayerOptions& options() const { return playerOptions; }
    // The player's new options: the game applies them, and they are saved.
    void changeOptions(const PlayerOptions& options);
    // Releases of these keys, when they come, go to no screen: a closed screen took their presses.
    void keepReleasesOf(const std::vector<int>& keys);
    int width() const { return drawingWidth; }
    int height() const { return drawingHeight; }
    int windowSamples() const { return windowSampleCount; }

private:
    // `music`: the music starts again from its beginning.
    void replaceAll(std::unique_ptr<Screen> screen, bool music = true);
    std::optional<Replay> demo(int demoNumber);
    void startRun(RunStart start, std::unique_ptr<PhysicsWorld> physics = nullptr);
    void startPractice(ReplaySeeker& seeker);
    void showReplay(Replay replay, bool onlyThis, std::unique_ptr<PhysicsWorld> physics);
    void showVideo(Replay replay, std::optional<Replay> ghost, std::unique_ptr<PhysicsWorld> physics);
    // `replay` in place of every screen, where there is one; false when there is none.
    bool watch(std::optional<Replay> replay);
    std::uint32_t newSeed() const;
    RunScreen* runOnTop();
    std::unique_ptr<Run> newRun(std::uint32_t seed, std::unique_ptr<PhysicsWorld> physics) const;
    float aspectRatio() const;

    SessionSetup setup;
    GameAudio& audio;
    AppFlags switches;
    PlayerOptions playerOptions;
    std::optional<OptionsFile> optionsFile;
    RunRecords runRecords;
    std::vector<std::unique_ptr<Screen>> stack;
    // Screens closed while one of their own calls may still be running; they go once it returns.
    std::vector<std::unique_ptr<Screen>> closed;
    std::vector<int> keptReleases;
    std::vector<std::string> saidLines;
    std::uint64_t runsBegun = 0;
    std::int32_t pointsBeforeTitle = 0; // of the last run shown before the title
    RunStart lastStart;                 // of the player's last run, for playing again
    int drawingWidth = 1;
    int drawingHeight = 1;
    int windowSampleCount = 4;
    bool quitAsked = false;
    bool recordsOpen = false;
};
