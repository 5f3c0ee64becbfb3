#include "session.h"

#include <algorithm>
#include <random>

#include "asset_path.h"
#include "daily_run.h"
#include "game_audio.h"
#include "ghost.h"
#include "gl.h"
#include "key_input.h"
#include "play_screen.h"
#include "replay_files.h"
#include "replay_screen.h"
#include "run.h"
#include "text_size.h"
#include "title_screen.h"
#include "video_screen.h"

namespace {

// The demo the game ships, behind the title until the player has runs of their own.
constexpr const char* kDemoFile = "assets/replays/demo.replay";

} // namespace

Session::Session(SessionSetup sessionSetup, GameAudio& gameAudio) : setup(sessionSetup), audio(gameAudio)
{
}

// The screens above a run hold on to its world: they go first.
Session::~Session()
{
    closed.clear();
    while (!stack.empty())
        stack.pop_back();
}

void Session::loadOptions(const PlayerOptions& defaults)
{
    playerOptions = defaults;
    if (!setup.playersSession)
        return;
    optionsFile.emplace(OptionsFile::defaultFile());
    playerOptions = optionsFile->load(defaults);
}

bool Session::qualityChosen() const
{
    return !optionsFile || optionsFile->holdsQuality();
}

void Session::openRecords()
{
    if (!setup.playersSession || recordsOpen)
        return;
    runRecords = RunRecords::ofThePlayer();
    recordsOpen = true;
}

void Session::setDrawingSize(int width, int height)
{
    drawingWidth = width;
    drawingHeight = height;
}

// The command line has said which daily run this is.
void Session::begin(std::unique_ptr<PhysicsWorld> physics, std::optional<Replay> replay, std::optional<Replay> ghost)
{
    if (replay && setup.video)
        showVideo(std::move(*replay), std::move(ghost), std::move(physics));
    else if (replay)
        showReplay(std::move(*replay), true, std::move(physics));
    else if (setup.title)
        showTitle(0, TitleScreen::Play, true, std::move(physics));
    else
        startRun(RunStart{std::move(ghost), setup.daily}, std::move(physics));
}

void Session::end()
{
    if (RunScreen* run = stack.empty() ? nullptr : stack.front()->run(); run && setup.playersSession)
        run->leave(*this);
}

void Session::startFrame()
{
    stack.back()->startFrame(*this);
    closed.clear();
}

void Session::key(const KeyEvent& event)
{
    if (event.action == GLFW_RELEASE) {
        const auto kept = std::find(keptReleases.begin(), keptReleases.end(), event.key);
        if (kept != keptReleases.end()) {
            keptReleases.erase(kept);
            return;
        }
    }
    if (isFullscreenKey(event.key, event.mods)) {
        if (event.action == GLFW_RELEASE) {
            PlayerOptions changed = playerOptions;
            changed.video.fullscreen = !changed.video.fullscreen;
            changeOptions(changed);
        }
        return;
    }
    for (size_t i = stack.size(); i-- > 0;)
        if (stack[i]->key(*this, event))
            break;
    closed.clear();
}

void Session::pointer(const PointerInput& pointer)
{
    PointerInput seen = pointer;
    if (options().video.textSize != 100) {
        // The screens know where their items are at the size they were written: a pointer on
        // a grown line points at that line as written.
        std::vector<ScreenItem> written;
        stack.back()->items(*this, written);
        std::vector<ScreenItem> shown = written;
        applyTextSize(shown, options().video.textSize, width(), height());
        pointedBeforeTextSize(written, shown, seen.x, seen.y);
    }
    stack.back()->pointer(*this, seen);
    closed.clear();
}

void Session::pad(const PadReading& pad)
{
    stack.back()->pad(*this, pad);
    closed.clear();
}

void Session::playerLeft()
{
    stack.back()->playerLeft(*this);
    closed.clear();
}

void Session::runTicks(int due, const TickSources& sources)
{
    if (RunScreen* run = runOnTop(); run && !run->over())
        run->runTicks(*this, due, sources);
    closed.clear();
}

RunScreen* Session::runOnTop()
{
    return stack.empty() ? nullptr : stack.back()->run();
}

bool Session::runsTicks() const
{
    const RunScreen* run = stack.empty() ? nullptr : stack.back()->run();
    return run != nullptr && !run->over();
}

double Session::runSpeed() const
{
    const RunScreen* run = stack.empty() ? nullptr : stack.back()->run();
    return run != nullptr ? run->speed() : 1.0;
}

bool Session::playerLooks() const
{
    const RunScreen* run = stack.empty() ? nullptr : stack.back()->run();
    return run != nullptr && run->playerLooks();
}

float Session::musicLevel() const
{
    for (size_t i = stack.size(); i-- > 0;)
        if (const std::optional<float> level = stack[i]->musicLevel())
            return *level;
    return 1.0f;
}

bool Session::freesPointer() const
{
    return !stack.empty() && stack.back()->freesPointer();
}

void Session::overlayItems(std::vector<ScreenItem>& items) const
{
    stack.back()->items(*this, items);
    applyTextSize(items, options().video.textSize, width(), height());
}

const RunScreen* Session::shownRun() const
{
    for (size_t i = stack.size(); i-- > 0;)
        if (const RunScreen* run = stack[i]->run())
            return run;
    return nullptr;
}

std::int32_t Session::points() const
{
    const RunScreen* run = shownRun();
    // A demo's points are not the player's: the title stands for the run before it.
    if (dynamic_cast<const TitleScreen*>(run) != nullptr)
        return pointsBeforeTitle;
    return run != nullptr ? run->world().points : 0;
}

void Session::open(std::unique_ptr<Screen> screen)
{
    stack.push_back(std::move(screen));
}

void Session::close(const Screen& screen)
{
    if (!onTop(screen))
        return;
    closed.push_back(std::move(stack.back()));
    stack.pop_back();
}

void Session::playAgain()
{
    switches.releaseMovementKeys();
    if (lastStart.practice) {
        ReplaySeeker seeker(*lastStart.practice, aspectRatio());
        seeker.seek(lastStart.fromTick);
        startPractice(seeker);
    } else if (!lastStart.daily.empty())
        playDaily(lastStart.daily);
    else
        startRun(lastStart);
}

void Session::playNewRun()
{
    switches.releaseMovementKeys();
    startRun(RunStart{});
}

void Session::playDaily(const std::string& date)
{
    switches.releaseMovementKeys();
    say("Daily run " + date + ": seed " + std::to_string(dailySeed(date)) + ".");
    startRun(RunStart{std::nullopt, date});
}

bool Session::raceRow(size_t index)
{
    std::optional<Replay> replay = runRecords.loadRowReplay(index);
    if (!replay)
        return false;
    switches.releaseMovementKeys();
    startRun(RunStart{std::move(replay), ""});
    return true;
}

void Session::playOn(ReplaySeeker& seeker)
{
    switches.releaseMovementKeys();
    lastStart = RunStart{};
    lastStart.practice = seeker.recorded();
    lastStart.fromTick = seeker.position();
    startPractice(seeker);
}

// Playing again plays on from the same tick.
void Session::startPractice(ReplaySeeker& seeker)
{
    // A game that only showed a replay had no need of the player's records until now.
    openRecords();
    const std::uint32_t tick = seeker.position();
    ReplayRecorder inputs = seeker.recorderUpToHere();
    auto screen = std::make_unique<PlayScreen>(seeker.release(), setup.playersSession);
    screen->practise(std::move(inputs));
    replaceAll(std::move(screen));
    say("Playing on from tick " + std::to_string(tick) + " of the replay: a practice run.");
}

bool Session::watchDaily(const std::string& date)
{
    return watch(runRecords.loadDailyReplay(date));
}

void Session::watchBestRun()
{
    watch(runRecords.loadBestRun());
}

bool Session::watchRow(size_t index)
{
    return watch(runRecords.loadRowReplay(index));
}

void Session::watchFile(const std::string& file)
{
    std::string error;
    std::optional<Replay> replay = loadReplay(file, error);
    if (!replay) {
        say("Cannot watch '" + file + "': " + error + ".");
        return;
    }
    say("Watching the replay '" + file + "'.");
    watch(std::move(replay));
}

bool Session::watch(std::optional<Replay> replay)
{
    if (!replay)
        return false;
    switches.releaseMovementKeys();
    showReplay(std::move(*replay), false, nullptr);
    return true;
}

void Session::showTitle(int demoNumber, int line, bool announce, std::unique_ptr<PhysicsWorld> physics)
{
    std::optional<Replay> recording = demo(demoNumber);
    // Without a recording, untouched runs of seed 1 play behind the menu.
    const std::uint32_t seed = recording ? recording->seed : 1;
    replaceAll(std::make_unique<TitleScreen>(newRun(seed, std::move(physics)), std::move(recording), demoNumber, line),
               announce);
    if (announce)
        say("Title screen shown.");
}

// The player's own runs from the table, in turn; before there are any, the one the game ships.
std::optional<Replay> Session::demo(int demoNumber)
{
    std::vector<size_t> watchable;
    const std::vector<ScoreRow>& rows = runRecords.scores().rows();
    for (size_t i = 0; i < rows.size(); ++i)
        if (!rows[i].replay.empty())
            watchable.push_back(i);
    if (!watchable.empty())
        if (std::optional<Replay> replay =
                runRecords.loadRowReplay(watchable[static_cast<size_t>(demoNumber) % watchable.size()]))
            return replay;
    const std::string file = resolveAssetPath(kDemoFile);
    std::string error = "it is missing";
    std::optional<Replay> replay = file.empty() ? std::nullopt : loadReplay(file, error);
    if (!replay && demoNumber == 0)
        say(std::string("Cannot play the demo '") + kDemoFile + "': " + error + ".");
    return replay;
}

void Session::toTitle()
{
    if (RunScreen* run = stack.front()->run())
        run->leave(*this);
    switches.releaseMovementKeys();
    showTitle(0, TitleScreen::Play, true);
}

void Session::play(const SoundCue& cue)
{
    audio.play(cue);
}

void Session::say(std::string line)
{
    if (setup.playersSession)
        saidLines.push_back(std::move(line));
}

void Session::changeOptions(const PlayerOptions& options)
{
    playerOptions = options;
    if (optionsFile)
        optionsFile->save(playerOptions);
}

void Session::keepReleasesOf(const std::vector<int>& keys)
{
    for (int key : keys)
        if (std::find(keptReleases.begin(), keptReleases.end(), key) == keptReleases.end())
            keptReleases.push_back(key);
}

void Session::replaceAll(std::unique_ptr<Screen> screen, bool music)
{
    pointsBeforeTitle = points();
    // Top first: the screens over a run hold on to its world.
    while (!stack.empty()) {
        closed.push_back(std::move(stack.back()));
        stack.pop_back();
    }
    stack.push_back(std::move(screen));
    ++runsBegun;
    if (music)
        audio.startMusic();
}

float Session::aspectRatio() const
{
    return static_cast<float>(drawingWidth) / static_cast<float>(drawingHeight);
}

std::unique_ptr<Run> Session::newRun(std::uint32_t seed, std::unique_ptr<PhysicsWorld> physics) const
{
    if (!physics)
        physics = std::make_unique<PhysicsWorld>();
    return std::make_unique<Run>(std::move(physics), seed, aspectRatio());
}

// A new run's first frame runs no tick. The ghost of a daily run is the day's best as it stands
// now; the player's options may turn every ghost off.
void Session::startRun(RunStart start, std::unique_ptr<PhysicsWorld> physics)
{
    const bool daily = !start.daily.empty();
    std::uint32_t seed = newSeed();
    if (daily)
        seed = dailySeed(start.daily);
    else if (start.ghost)
        seed = start.ghost->seed;
    std::optional<Replay> rival = daily ? runRecords.loadDailyReplay(start.daily) : start.ghost;
    std::unique_ptr<Ghost> ghost;
    if (rival && playerOptions.video.ghost)
        ghost = std::make_unique<Ghost>(std::move(*rival), aspectRatio());
    const std::int32_t ghostPoints = ghost ? ghost->recordedPoints() : 0;
    const bool racing = ghost != nullptr;
    replaceAll(std::make_unique<PlayScreen>(newRun(seed, std::move(physics)), setup.playersSession, std::move(ghost),
                                            start.daily));
    lastStart = std::move(start);
    if (!daily)
        say("Run started with seed " + std::to_string(seed) + ".");
    if (racing)
        say("Racing a ghost that scored " + std::to_string(ghostPoints) + " points.");
}

void Session::showReplay(Replay replay, bool onlyThis, std::unique_ptr<PhysicsWorld> physics)
{
    const std::uint32_t seed = replay.seed;
    const std::uint32_t ticks = replay.ticks;
    replaceAll(std::make_unique<ReplayScreen>(std::move(replay), aspectRatio(), std::move(physics), onlyThis));
    say("Replaying a run of " + std::to_string(ticks) + " ticks on seed " + std::to_string(seed) + ".");
}

void Session::showVideo(Replay replay, std::optional<Replay> ghost, std::unique_ptr<PhysicsWorld> physics)
{
    std::unique_ptr<Ghost> rival = ghost ? std::make_unique<Ghost>(std::move(*ghost), aspectRatio()) : nullptr;
    replaceAll(std::make_unique<VideoScreen>(std::move(replay), aspectRatio(), std::move(physics), std::move(rival)));
}

std::uint32_t Session::newSeed() const
{
    return setup.fixedSeed ? *setup.fixedSeed : std::random_device{}();
}
