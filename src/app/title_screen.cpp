#include "title_screen.h"

#include "dates.h"
#include "gamepad.h"
#include "gl.h"
#include "high_scores_screen.h"
#include "options_screen.h"
#include "session.h"

namespace {

const char* const kLines[TitleScreen::LineCount] = {"Play", "Daily run ", "High scores", "Options", "Quit"};

constexpr int kLineSize = 50;
constexpr int kLineStep = 64;
constexpr int kMenuWidth = 520; // the span a click on a line falls in

int lineY(int line, int height)
{
    return height - 420 - kLineStep * line;
}

} // namespace

TitleScreen::TitleScreen(std::unique_ptr<Run> run, std::optional<Replay> demo, int demoCount, int line)
    : RunScreen(std::move(run)), demoNumber(demoCount), chosen(line), today(utcDate())
{
    if (demo)
        playback.emplace(std::move(*demo));
}

bool TitleScreen::key(Session& session, const KeyEvent& event)
{
    if (event.action != GLFW_PRESS)
        return true;
    if (event.key == GLFW_KEY_UP)
        chosen = (chosen + LineCount - 1) % LineCount;
    else if (event.key == GLFW_KEY_DOWN)
        chosen = (chosen + 1) % LineCount;
    else if (event.key == GLFW_KEY_ESCAPE)
        chosen = Quit;
    else if (event.key == GLFW_KEY_ENTER || event.key == GLFW_KEY_KP_ENTER)
        take(session, chosen);
    else if (session.keys().actionOf(event.key) == Action::Mute)
        session.flags().muted = !session.flags().muted;
    return true;
}

void TitleScreen::pad(Session& session, const PadReading& pad)
{
    if (pad.menuUp)
        chosen = (chosen + LineCount - 1) % LineCount;
    if (pad.menuDown)
        chosen = (chosen + 1) % LineCount;
    if (pad.b)
        chosen = Quit;
    else if (pad.a)
        take(session, chosen);
}

void TitleScreen::pointer(Session& session, const PointerInput& pointer)
{
    const int pointed = titleLineAt(pointer.x, pointer.y, session.width(), session.height());
    if (pointer.moved && pointed >= 0)
        chosen = pointed;
    for (int button : pointer.clicks)
        if (button == GLFW_MOUSE_BUTTON_LEFT && pointed >= 0) {
            take(session, pointed);
            return;
        }
}

void TitleScreen::items(const Session& session, std::vector<ScreenItem>& items) const
{
    ScreenState state = screenStateOf(world(), session.width(), session.height());
    state.best = session.records().best();
    state.daily = today;
    titleScreenItems(state, chosen, items);
}

TickInput TitleScreen::nextInput(const TickSources& /*sources*/)
{
    return playback ? playback->next() : TickInput{};
}

void TitleScreen::reactTo(Session& /*session*/, const TickEvents& events)
{
    if (events.gameOver || (playback && playback->finished()))
        end("");
}

void TitleScreen::showEnd(Session& session)
{
    session.showTitle(demoNumber + 1, chosen, false);
}

// The screen a line opens takes this one's place, or goes over it.
void TitleScreen::take(Session& session, int line)
{
    chosen = line;
    if (line == Play)
        session.playNewRun();
    else if (line == DailyRun)
        session.playDaily(today);
    else if (line == HighScores)
        session.open(std::make_unique<HighScoresScreen>());
    else if (line == Options)
        session.open(std::make_unique<OptionsScreen>(session.options(), session.windowSamples()));
    else
        session.quit();
}

int titleLineAt(float x, float y, int width, int height)
{
    // Window pixels are whole: the edges round down as the items' do.
    const int left = width / 2 - kMenuWidth / 2;
    const int right = width / 2 + kMenuWidth / 2;
    if (x < static_cast<float>(left) || x >= static_cast<float>(right))
        return -1;
    for (int line = 0; line < TitleScreen::LineCount; ++line) {
        const float bottom = static_cast<float>(lineY(line, height) - 15);
        if (y >= bottom && y < bottom + static_cast<float>(kLineStep))
            return line;
    }
    return -1;
}

void titleScreenItems(const ScreenState& state, int chosen, std::vector<ScreenItem>& items)
{
    const int w = state.width;
    const int h = state.height;
    ItemWriter write(items);
    // The panel lets 8 % of the scene through; two layers of it let less than 1 %, so the name and
    // the menu stay still while the demo moves around them.
    const int bottom = lineY(TitleScreen::LineCount - 1, h) - 40;
    for (int layer = 0; layer < 2; ++layer)
        write.panel(PanelId::BluePanel, w / 2 - 450, bottom, 900, h - 80 - bottom);
    write.text("ZARNOK 2023", w / 2, h - 220, 110, true);
    if (state.best > 0)
        writeNumber(write.text(w / 2, h - 300, 40, true), "Best: ", state.best);
    for (int line = 0; line < TitleScreen::LineCount; ++line) {
        if (line == chosen)
            write.text(">", w / 2 - 200, lineY(line, h), kLineSize, false);
        std::string& text = write.text(w / 2, lineY(line, h), kLineSize, true);
        text.assign(kLines[line]);
        if (line == TitleScreen::DailyRun)
            text.append(state.daily);
    }
}
