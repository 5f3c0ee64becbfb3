#include "run_screen.h"

#include <cstdio>

#include "session.h"

RunScreen::RunScreen(std::unique_ptr<Run> run) : ownRun(std::move(run)), shown(ownRun.get())
{
}

void RunScreen::runTicks(Session& session, int due, const TickSources& sources)
{
    for (int i = 0; i < due && !ended; ++i) {
        const TickInput input = nextInput(sources);
        const TickEvents events = world().tick(input);
        cues.clear();
        sounds.cuesOf(events, world(), world().ticks(), cues);
        for (const SoundCue& cue : cues)
            if (soundsEffects())
                session.play(cue);
        reactTo(session, events);
    }
}

void RunScreen::startFrame(Session& session)
{
    // The frame after the last tick is the first to show the end, and says so.
    if (!ended || endShown)
        return;
    endShown = true;
    if (!endLine.empty())
        session.say(std::move(endLine));
    showEnd(session);
}

void RunScreen::playerLeft(Session& session)
{
    if (!ended)
        pause(session);
}

void RunScreen::jumped()
{
    sounds = RunSounds{};
    cues.clear();
    ended = false;
    endShown = false;
    endLine.clear();
}

void RunScreen::end(std::string line)
{
    ended = true;
    endLine = std::move(line);
}

void RunScreen::hud(const Session& session, bool replay, std::vector<ScreenItem>& items) const
{
    ScreenState state = screenStateOf(world(), session.width(), session.height());
    state.replay = replay;
    if (const Ghost* rival = ghost()) {
        state.ghost = true;
        state.ghostPoints = rival->points();
        state.ghostEnded = rival->ended();
        state.ghostFell = rival->fell();
    }
    hudItems(state, items);
}

ScreenState screenStateOf(const GameWorld& world, int width, int height)
{
    ScreenState state;
    state.width = width;
    state.height = height;
    state.points = world.points;
    state.activeKind = world.activeKind;
    state.shifting = world.segments.shifting;
    return state;
}

void hudItems(const ScreenState& state, std::vector<ScreenItem>& items)
{
    const int w = state.width;
    const int h = state.height;
    ItemWriter write(items);
    write.panel(PanelId::BluePanel, 40, h - 110, 200, 90);
    write.text("Blocks dropped:", 50, h - 45, 25, false);
    writeNumber(write.text(50, h - 100, 60, false), "", state.points);
    write.panel(PanelId::GlassCorner, w - 200, h - 90, 210, 50);
    write.text("[ESC] Pause", w - 180, h - 75, 30, false);
    if (state.activeKind == PowerupKind::DoublePoints)
        write.text("Double Points!", w / 2, h - 80, 50, true);
    if (state.activeKind == PowerupKind::Glide)
        write.text("Gliding enabled!", w / 2, h - 80, 50, true);
    if (state.shifting)
        write.text("Shifting Cubes!", w / 2, 80, 50, true);
    if (state.replay)
        write.text("Replay", w / 2, h - 140, 40, true);
    if (state.ghost) {
        // On a panel of its own: the sky behind it is nearly as bright as the letters.
        write.panel(PanelId::BluePanel, 40, h - 162, 340, 46);
        writeGhostLine(write.text(50, h - 154, 30, false), state);
    }
}

// "Ghost 41 (+3)": its points, and how far it leads the player (negative: how far it trails).
void writeGhostLine(std::string& text, const ScreenState& state)
{
    const char* words = "Ghost ";
    if (state.ghostFell)
        words = "Ghost fell at ";
    else if (state.ghostEnded)
        words = "Ghost stopped at ";
    writeNumber(text, words, state.ghostPoints, " (");
    const long long lead = static_cast<long long>(state.ghostPoints) - state.points;
    char digits[24];
    std::snprintf(digits, sizeof digits, "%+lld)", lead);
    text.append(digits);
}

std::vector<ScreenItem> hudItems(const ScreenState& state)
{
    return collectItems(state, [](const ScreenState& s, std::vector<ScreenItem>& items) { hudItems(s, items); });
}
