#include "replay_screen.h"

#include <algorithm>

#include "game_over_screen.h"
#include "gamepad.h"
#include "gl.h"
#include "key_input.h"
#include "pause_screen.h"
#include "session.h"

namespace {

std::string clockTime(std::uint32_t ticks)
{
    std::string text;
    writeClockTime(text, ticks);
    return text;
}

} // namespace

ReplayScreen::ReplayScreen(Replay replay, float aspectRatio, std::unique_ptr<PhysicsWorld> physics, bool onlyShown)
    : seeker(std::move(replay), aspectRatio, std::move(physics)), onlyThis(onlyShown)
{
    show(seeker.run());
    if (seeker.ended())
        end("The replay ended at tick 0 with 0 points.");
}

void ReplayScreen::startFrame(Session& session)
{
    seeker.prepare(kCheckpointTicksPerFrame);
    RunScreen::startFrame(session);
}

bool ReplayScreen::key(Session& session, const KeyEvent& event)
{
    AppFlags& flags = session.flags();
    // Once it is over the player's keys act again, unless the game shows this replay alone.
    const bool playersKeys = over() && !onlyThis;
    if (playersKeys && applyMovementKey(flags, session.keys(), event))
        return true;
    // Holding Left or Right goes on skipping.
    const bool repeats = event.key == GLFW_KEY_LEFT || event.key == GLFW_KEY_RIGHT;
    if (event.action == GLFW_PRESS || (event.action == GLFW_REPEAT && repeats)) {
        viewerKey(session, event.key);
        return true;
    }
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

bool ReplayScreen::viewerKey(Session& session, int key)
{
    if (!inReach(session))
        return false;
    switch (key) {
    case GLFW_KEY_SPACE:
        switchPause(session);
        return true;
    case GLFW_KEY_LEFT:
    case GLFW_KEY_RIGHT:
        skip(session, key == GLFW_KEY_RIGHT);
        return true;
    case GLFW_KEY_HOME:
        seekTo(session, 0);
        return true;
    case GLFW_KEY_END:
        seekTo(session, length());
        return true;
    case GLFW_KEY_MINUS:
    case GLFW_KEY_KP_SUBTRACT:
        changeSpeed(session, -1);
        return true;
    case GLFW_KEY_EQUAL:
    case GLFW_KEY_KP_ADD:
        changeSpeed(session, 1);
        return true;
    case GLFW_KEY_C:
        switchView(session);
        return true;
    case GLFW_KEY_ENTER:
    case GLFW_KEY_KP_ENTER:
        playOn(session);
        return true;
    default:
        return false;
    }
}

void ReplayScreen::pad(Session& session, const PadReading& pad)
{
    if (pad.start && !over())
        pause(session);
    else if (pad.menuLeft || pad.menuRight)
        skip(session, pad.menuRight);
    else if (pad.leftShoulder || pad.rightShoulder)
        changeSpeed(session, pad.rightShoulder ? 1 : -1);
    else if (pad.a)
        switchPause(session);
    else if (pad.y)
        switchView(session);
    else if (pad.x)
        playOn(session);
}

void ReplayScreen::pointer(Session& session, const PointerInput& pointer)
{
    for (int button : pointer.clicks)
        if (button == GLFW_MOUSE_BUTTON_LEFT)
            if (const std::optional<std::uint32_t> tick = replayBarTickAt(bar(session), pointer.x, pointer.y)) {
                seekTo(session, *tick);
                return;
            }
}

void ReplayScreen::items(const Session& session, std::vector<ScreenItem>& items) const
{
    hud(session, true, items);
    replayBarItems(bar(session), items);
}

ReplayBar ReplayScreen::bar(const Session& session) const
{
    ReplayBar shown;
    shown.width = session.width();
    shown.played = position();
    shown.length = length();
    shown.points = world().points;
    shown.paused = paused;
    shown.speed = kSpeedNames[speedStep];
    shown.textSize = session.options().video.textSize;
    return shown;
}

// On top, or under the game-over screen it opened: its start is still in reach from its end.
bool ReplayScreen::inReach(const Session& session) const
{
    return session.onTop(*this) || (endScreen != nullptr && session.onTop(*endScreen));
}

void ReplayScreen::seekTo(Session& session, std::uint32_t tick)
{
    if (endScreen != nullptr) {
        session.close(*endScreen);
        endScreen = nullptr;
    }
    seeker.seek(std::min(tick, length()));
    show(seeker.run());
    jumped();
    session.redrawRun();
    session.say("Replay at tick " + std::to_string(position()) + " (" + clockTime(position()) + ").");
    if (seeker.ended())
        reactTo(session, TickEvents{});
}

void ReplayScreen::skip(Session& session, bool forward)
{
    const std::uint32_t at = position();
    if (forward)
        seekTo(session, at + std::min(kSkipTicks, length() - std::min(at, length())));
    else
        seekTo(session, at - std::min(at, kSkipTicks));
}

void ReplayScreen::changeSpeed(Session& session, int steps)
{
    const int last = static_cast<int>(std::size(kSpeeds)) - 1;
    const int step = std::clamp(speedStep + steps, 0, last);
    if (step == speedStep)
        return;
    speedStep = step;
    session.say(std::string("Replay speed ") + kSpeedNames[speedStep] + ".");
}

void ReplayScreen::switchPause(Session& session)
{
    if (over())
        return;
    paused = !paused;
    session.say(std::string(paused ? "Replay paused" : "Replay resumed") + " at tick " + std::to_string(position()) +
                " (" + clockTime(position()) + ").");
}

void ReplayScreen::switchView(Session& session)
{
    chase = !chase;
    session.say(chase ? "Chase view." : "First-person view.");
}

// A run that fell has nothing to play on from.
void ReplayScreen::playOn(Session& session)
{
    if (world().over())
        return;
    session.playOn(seeker);
}

TickInput ReplayScreen::nextInput(const TickSources& /*sources*/)
{
    return seeker.nextInput();
}

// A recorded run that was quit rather than lost ends where its recording does.
void ReplayScreen::reactTo(Session& /*session*/, const TickEvents& events)
{
    if (!events.gameOver && !seeker.ended())
        return;
    end(std::string(world().over() ? "Game over at tick " : "The replay ended at tick ") +
        std::to_string(world().ticks()) + " with " + std::to_string(world().points) + " points.");
}

void ReplayScreen::showEnd(Session& session)
{
    auto ending = std::make_unique<GameOverScreen>(
        world(), GameOverScreen::Ending{false, true, std::nullopt, "", false}, !onlyThis);
    endScreen = ending.get();
    session.open(std::move(ending));
}

void ReplayScreen::pause(Session& session)
{
    PauseScreen::open(session, world(), false);
}
