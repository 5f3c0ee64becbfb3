#include "replay_screen.h"

#include "game_over_screen.h"
#include "gl.h"
#include "key_input.h"
#include "pause_screen.h"
#include "session.h"

ReplayScreen::ReplayScreen(std::unique_ptr<Run> run, Replay replay, bool onlyShown)
    : RunScreen(std::move(run)), playback(std::move(replay)), onlyThis(onlyShown)
{
}

bool ReplayScreen::key(Session& session, const KeyEvent& event)
{
    AppFlags& flags = session.flags();
    // Once it is over the player's keys act again, unless the game shows this replay alone.
    const bool playersKeys = over() && !onlyThis;
    if (playersKeys && applyMovementKey(flags, session.keys(), event))
        return true;
    if (event.action != GLFW_RELEASE)
        return true;
    if (session.keys().actionOf(event.key) == Action::Mute)
        flags.muted = !flags.muted;
    else if (!over() && event.key == GLFW_KEY_ESCAPE && session.onTop(*this))
        pause(session);
    else if (playersKeys)
        applyDisplayKey(flags, event);
    return true;
}

void ReplayScreen::pad(Session& session, const PadReading& pad)
{
    if (pad.start && !over())
        pause(session);
}

void ReplayScreen::items(const Session& session, std::vector<ScreenItem>& items) const
{
    hud(session, true, items);
}

TickInput ReplayScreen::nextInput(const TickSources& /*sources*/)
{
    return playback.next();
}

// A recorded run that was quit rather than lost ends where its recording does.
void ReplayScreen::reactTo(Session& /*session*/, const TickEvents& events)
{
    if (!events.gameOver && !playback.finished())
        return;
    end(std::string(events.gameOver ? "Game over at tick " : "The replay ended at tick ") +
        std::to_string(world().ticks()) + " with " + std::to_string(world().points) + " points.");
}

void ReplayScreen::showEnd(Session& session)
{
    session.open(std::make_unique<GameOverScreen>(world(), GameOverScreen::Ending{false, true, std::nullopt, ""}, !onlyThis));
}

void ReplayScreen::pause(Session& session)
{
    PauseScreen::open(session, world(), false);
}
