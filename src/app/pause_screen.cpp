#include "pause_screen.h"

#include "gamepad.h"
#include "gl.h"
#include "gl_features.h"
#include "options_screen.h"
#include "run_screen.h"
#include "session.h"

void PauseScreen::open(Session& session, const GameWorld& world, bool offersOptions)
{
    session.play({SoundId::PauseOpen, 0.6f});
    session.say("Paused at tick " + std::to_string(world.ticks()) + " with " + std::to_string(world.points) +
                " points.");
    session.open(std::make_unique<PauseScreen>(world, offersOptions));
}

PauseScreen::PauseScreen(const GameWorld& pausedWorld, bool options) : world(pausedWorld), offersOptions(options)
{
}

bool PauseScreen::key(Session& session, const KeyEvent& event)
{
    if (event.action != GLFW_RELEASE)
        return false;
    if (event.key == GLFW_KEY_ESCAPE)
        resume(session);
    else if (session.keys().actionOf(event.key) == Action::Quit)
        session.quit();
    else if (event.key == GLFW_KEY_O && offersOptions)
        openOptions(session);
    else if (event.key == GLFW_KEY_E && session.offersTitle())
        session.toTitle();
    else
        return false;
    return true;
}

void PauseScreen::pad(Session& session, const PadReading& pad)
{
    if (pad.back)
        session.quit();
    if (pad.start)
        resume(session);
    else if (pad.y && offersOptions)
        openOptions(session);
}

void PauseScreen::items(const Session& session, std::vector<ScreenItem>& items) const
{
    ScreenState state = screenStateOf(world, session.width(), session.height());
    state.offersMenu = session.offersTitle();
    state.replay = !offersOptions;
    pauseScreenItems(state, items);
}

void PauseScreen::resume(Session& session)
{
    session.play({SoundId::PauseClose, 0.6f});
    session.say("Resumed at tick " + std::to_string(world.ticks()) + ".");
    session.close(*this);
}

void PauseScreen::openOptions(Session& session)
{
    session.open(std::make_unique<OptionsScreen>(session.options(), session.windowSamples()));
}

void pauseScreenItems(const ScreenState& state, std::vector<ScreenItem>& items)
{
    const int w = state.width;
    const int h = state.height;
    ItemWriter write(items);
    write.panel(PanelId::PauseBackground, 0, 0, w, h);
    write.text("Paused", w / 2, h - 200, 90, true);
    writeNumber(write.text(w / 2, h - 350, 60, true), "Current points: ", state.points);
    write.text("Press [ESC] to resume", w / 2, h - 600, 40, true);
    write.text("Press [Q] to quit", w / 2, h - 680, 40, true);
    write.text("[O] Options", w / 2, h - 520, 40, true);
    if (state.offersMenu)
        write.text(state.replay ? "[E] Back to the menu" : "[E] End the run", w / 2, h - 440, 40, true);
    write.text(hasWireframe() ? "[F1] Toggle wireframe" : kNoWireframe, 30, h - 80, 20, false);
    write.text("[F2] Toggle backface culling", 30, h - 120, 20, false);
    write.text("[N] Show Normals", 30, h - 160, 20, false);
    write.text("[T] Show tex coordinates", 30, h - 200, 20, false);
}

std::vector<ScreenItem> pauseScreenItems(const ScreenState& state)
{
    return collectItems(state,
                        [](const ScreenState& s, std::vector<ScreenItem>& items) { pauseScreenItems(s, items); });
}
