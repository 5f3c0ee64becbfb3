#include "play_screen.h"

#include <utility>

#include "crash_record.h"
#include "game_over_screen.h"
#include "gl.h"
#include "key_input.h"
#include "pause_screen.h"
#include "session.h"

PlayScreen::PlayScreen(std::unique_ptr<Run> run, bool recorded, std::unique_ptr<Ghost> ghost, std::string daily)
    : RunScreen(std::move(run)), rival(std::move(ghost)), dailyDate(std::move(daily))
{
    if (!recorded)
        return;
    recorder.emplace(seed());
    crashRecord().startRun(seed());
}

void PlayScreen::practise(ReplayRecorder recorded)
{
    practice = true;
    if (!recorder)
        return;
    recorder = std::move(recorded);
    crashRecord().startRun(seed());
    crashRecord().follow(*recorder, world().points);
}

// Movement keys act while held, the jump on the press, every other key on the release.
bool PlayScreen::key(Session& session, const KeyEvent& event)
{
    AppFlags& flags = session.flags();
    if (event.action == GLFW_REPEAT || applyMovementKey(flags, session.keys(), event))
        return true;
    const std::optional<Action> action = session.keys().actionOf(event.key);
    if (event.action == GLFW_PRESS) {
        // Space under the pause screen jumps as the run resumes.
        jumpRequested = jumpRequested || action == Action::Jump;
        return true;
    }
    if (action == Action::DropAll) {
        // 2 released under the pause screen asks for nothing.
        dropAllRequested = dropAllRequested || session.onTop(*this);
        return true;
    }
    if (action == Action::Mute)
        flags.muted = !flags.muted;
    // Quitting, playing again and the best run wait for the screens that offer them.
    if (action || applyDisplayKey(flags, event))
        return true;
    if (event.key == GLFW_KEY_ESCAPE && session.onTop(*this) && !over())
        pause(session);
    return true;
}

void PlayScreen::pad(Session& session, const PadReading& pad)
{
    if (pad.start && !over())
        pause(session);
    else
        jumpRequested = jumpRequested || pad.a;
}

void PlayScreen::items(const Session& session, std::vector<ScreenItem>& items) const
{
    hud(session, false, items);
}

// What the player asked for since the last tick, and where the view looks now.
TickInput PlayScreen::nextInput(const TickSources& sources)
{
    TickInput tick;
    tick.forward = sources.flags.moveForwardHeld || sources.pad.forward;
    tick.backward = sources.flags.moveBackwardHeld || sources.pad.backward;
    tick.left = sources.flags.moveLeftHeld || sources.pad.left;
    tick.right = sources.flags.moveRightHeld || sources.pad.right;
    tick.jump = std::exchange(jumpRequested, false);
    tick.dropAll = std::exchange(dropAllRequested, false);
    tick.yaw = sources.view.yaw;
    tick.pitch = sources.view.pitch;
    tick.movementSpeed = sources.view.movementSpeed;
    if (recorder)
        recorder->record(tick);
    return tick;
}

void PlayScreen::reactTo(Session& session, const TickEvents& events)
{
    // In step with the player's tick, one for one.
    if (rival)
        rival->tick();
    cubesDropped += static_cast<std::uint64_t>(events.scored);
    if (recorder)
        crashRecord().follow(*recorder, world().points);
    if (!events.gameOver)
        return;
    if (keep(session).newBest)
        session.play({SoundId::NewBest, 0.9f});
    end("Game over at tick " + std::to_string(world().ticks()) + " with " + std::to_string(world().points) +
        " points.");
}

void PlayScreen::showEnd(Session& session)
{
    session.open(std::make_unique<GameOverScreen>(
        world(), GameOverScreen::Ending{placing.newBest, false, placing.rank, dailyLine, practice}, true));
}

void PlayScreen::pause(Session& session)
{
    PauseScreen::open(session, world(), true);
}

// The run is over, at game over or when the player quits: it may place among the player's best,
// and its replay is kept as the last run.
RunPlacing PlayScreen::keep(Session& session)
{
    if (kept)
        return placing;
    kept = true;
    if (recorder)
        crashRecord().endRun();
    std::optional<Replay> replay;
    if (recorder)
        replay = recorder->finish(world().points, worldStateHash(world()));
    if (practice) {
        session.records().recordPractice(replay);
        return placing;
    }
    const RunSummary run{world().points, static_cast<std::uint32_t>(world().ticks()), cubesDropped, seed()};
    placing = session.records().recordRun(run, replay);
    if (!dailyDate.empty()) {
        const DailyPlacing day = session.records().recordDaily(dailyDate, world().points, replay);
        const std::string runs = std::to_string(day.attempts) + (day.attempts == 1 ? " run" : " runs");
        dailyLine = "Daily run " + dailyDate + ": " +
                    (day.dayBest ? "the day's best" : "best " + std::to_string(day.best)) + " after " + runs;
        session.say("Daily run " + dailyDate + ": " + std::to_string(world().points) + " points; the day's best is " +
                    std::to_string(day.best) + " after " + runs + ".");
    }
    return placing;
}
