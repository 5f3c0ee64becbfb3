#include "session.h"

#include <algorithm>
#include <random>

#include "game_audio.h"
#include "gl.h"
#include "key_input.h"
#include "play_screen.h"
#include "replay_screen.h"
#include "run.h"

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
    if (setup.playersSession)
        runRecords = RunRecords::ofThePlayer();
}

void Session::setDrawingSize(int width, int height)
{
    drawingWidth = width;
    drawingHeight = height;
}

void Session::begin(std::unique_ptr<PhysicsWorld> physics, std::optional<Replay> replay)
{
    if (replay) {
        showReplay(std::move(*replay), true, std::move(physics));
    } else {
        startRun(newSeed(), std::move(physics));
    }
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
    stack.back()->pointer(*this, pointer);
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
    startRun(newSeed());
}

void Session::watchBestRun()
{
    std::optional<Replay> replay = runRecords.loadBestRun();
    if (!replay)
        return;
    switches.releaseMovementKeys();
    showReplay(std::move(*replay), false, nullptr);
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

void Session::replaceAll(std::unique_ptr<Screen> screen)
{
    // Top first: the screens over a run hold on to its world.
    while (!stack.empty()) {
        closed.push_back(std::move(stack.back()));
        stack.pop_back();
    }
    stack.push_back(std::move(screen));
    ++runsBegun;
    audio.startMusic();
}

std::unique_ptr<Run> Session::newRun(std::uint32_t seed, std::unique_ptr<PhysicsWorld> physics) const
{
    const float aspectRatio = static_cast<float>(drawingWidth) / static_cast<float>(drawingHeight);
    if (!physics)
        physics = std::make_unique<PhysicsWorld>();
    return std::make_unique<Run>(std::move(physics), seed, aspectRatio);
}

// A new run's first frame runs no tick.
void Session::startRun(std::uint32_t seed, std::unique_ptr<PhysicsWorld> physics)
{
    replaceAll(std::make_unique<PlayScreen>(newRun(seed, std::move(physics)), setup.playersSession));
    say("Run started with seed " + std::to_string(seed) + ".");
}

void Session::showReplay(Replay replay, bool onlyThis, std::unique_ptr<PhysicsWorld> physics)
{
    const std::uint32_t seed = replay.seed;
    const std::uint32_t ticks = replay.ticks;
    replaceAll(std::make_unique<ReplayScreen>(newRun(seed, std::move(physics)), std::move(replay), onlyThis));
    say("Replaying a run of " + std::to_string(ticks) + " ticks on seed " + std::to_string(seed) + ".");
}

std::uint32_t Session::newSeed() const
{
    return setup.fixedSeed ? *setup.fixedSeed : std::random_device{}();
}
