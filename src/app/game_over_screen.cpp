#include "game_over_screen.h"

#include "gamepad.h"
#include "gl.h"
#include "run_screen.h"
#include "score_table.h"
#include "session.h"

GameOverScreen::GameOverScreen(const GameWorld& endedWorld, Ending howItEnded, bool anotherRun)
    : world(endedWorld), ending(howItEnded), offersAnotherRun(anotherRun)
{
}

bool GameOverScreen::key(Session& session, const KeyEvent& event)
{
    if (event.action != GLFW_RELEASE)
        return false;
    const std::optional<Action> action = session.keys().actionOf(event.key);
    if (action == Action::Quit)
        session.quit();
    else if (action == Action::PlayAgain && offersAnotherRun)
        session.playAgain();
    else if (action == Action::BestRun && offersAnotherRun)
        session.watchBestRun();
    else if (event.key == GLFW_KEY_ESCAPE && session.offersTitle())
        session.toTitle();
    // Escape has nothing to resume.
    else if (event.key != GLFW_KEY_ESCAPE)
        return false;
    return true;
}

void GameOverScreen::pad(Session& session, const PadReading& pad)
{
    if (pad.back)
        session.quit();
    else if (pad.b && session.offersTitle())
        session.toTitle();
    if (!offersAnotherRun)
        return;
    if (pad.a)
        session.playAgain();
    else if (pad.x)
        session.watchBestRun();
}

void GameOverScreen::items(const Session& session, std::vector<ScreenItem>& items) const
{
    ScreenState state = screenStateOf(world, session.width(), session.height());
    state.best = session.records().best();
    state.newBest = ending.newBest;
    state.replay = ending.replay;
    state.canPlayAgain = offersAnotherRun;
    state.bestRunSaved = session.records().bestRunSaved();
    state.offersMenu = session.offersTitle();
    state.rank = ending.rank.value_or(0);
    state.daily = ending.daily;
    state.practice = ending.practice;
    gameOverScreenItems(state, items);
}

void gameOverScreenItems(const ScreenState& state, std::vector<ScreenItem>& items)
{
    const int w = state.width;
    const int h = state.height;
    ItemWriter write(items);
    write.panel(PanelId::PauseBackground, 0, 0, w, h);
    write.text("Game Over!", w / 2, h - 200, 90, true);
    writeNumber(write.text(w / 2, h - 350, 60, true), "You shattered ", state.points, " cubes");
    write.text("Press [Q] to quit", w / 2, h - 600, 40, true);
    if (state.replay)
        write.text("That was a replay", w / 2, h - 430, 40, true);
    else if (state.practice)
        write.text("That was practice: it enters no table", w / 2, h - 430, 40, true);
    else if (state.newBest)
        write.text("New best!", w / 2, h - 430, 40, true);
    else
        writeNumber(write.text(w / 2, h - 430, 40, true), "Best: ", state.best);
    if (!state.daily.empty())
        write.text(w / 2, h - 250, 30, true) = state.daily;
    if (state.rank > 0)
        write.text(w / 2, h - 475, 30, true) = ordinal(state.rank) + " of your ten best";
    if (state.offersMenu)
        write.text("Press [Esc] for the menu", w / 2, h - 740, 30, true);
    if (!state.canPlayAgain)
        return;
    write.text("Press [R] to play again", w / 2, h - 680, 40, true);
    if (state.bestRunSaved)
        write.text("Press [B] to watch the best run", w / 2, h - 520, 40, true);
}

std::vector<ScreenItem> gameOverScreenItems(const ScreenState& state)
{
    return collectItems(state,
                        [](const ScreenState& s, std::vector<ScreenItem>& items) { gameOverScreenItems(s, items); });
}
