#include "high_scores_screen.h"

#include <algorithm>

#include "gamepad.h"
#include "gl.h"
#include "session.h"

namespace {

constexpr int kRowSize = 30;
constexpr int kRowStep = 44;

int rowY(int row, int height)
{
    return height - 260 - kRowStep * row;
}

std::string orDash(const std::string& text)
{
    return text.empty() ? "-" : text;
}

} // namespace

bool HighScoresScreen::key(Session& session, const KeyEvent& event)
{
    if (event.action != GLFW_PRESS)
        return true;
    if (event.key == GLFW_KEY_UP)
        move(session, -1);
    else if (event.key == GLFW_KEY_DOWN)
        move(session, 1);
    else if (event.key == GLFW_KEY_ENTER || event.key == GLFW_KEY_KP_ENTER)
        watch(session, chosen);
    else if (event.key == GLFW_KEY_ESCAPE)
        session.close(*this);
    return true;
}

void HighScoresScreen::pad(Session& session, const PadReading& pad)
{
    if (pad.menuUp)
        move(session, -1);
    if (pad.menuDown)
        move(session, 1);
    if (pad.b)
        session.close(*this);
    else if (pad.a)
        watch(session, chosen);
}

void HighScoresScreen::pointer(Session& session, const PointerInput& pointer)
{
    const int rows = static_cast<int>(session.records().scores().rows().size());
    const int pointed = highScoreRowAt(pointer.x, pointer.y, rows, session.width(), session.height());
    if (pointer.moved && pointed >= 0 && pointed != chosen) {
        chosen = pointed;
        message.clear();
    }
    for (int button : pointer.clicks)
        if (button == GLFW_MOUSE_BUTTON_LEFT && pointed >= 0) {
            watch(session, pointed);
            return;
        }
}

void HighScoresScreen::items(const Session& session, std::vector<ScreenItem>& items) const
{
    highScoresScreenItems(session.records().scores(), session.records().record(), chosen, message, session.width(),
                          session.height(), items);
}

void HighScoresScreen::move(const Session& session, int step)
{
    const int rows = static_cast<int>(session.records().scores().rows().size());
    if (rows == 0)
        return;
    chosen = std::clamp(chosen + step, 0, rows - 1);
    message.clear();
}

void HighScoresScreen::watch(Session& session, int row)
{
    chosen = row;
    if (static_cast<size_t>(row) >= session.records().scores().rows().size())
        return;
    if (!session.watchRow(static_cast<size_t>(row)))
        message = "That run has no replay to watch";
}

int highScoreRowAt(float x, float y, int rows, int width, int height)
{
    // Window pixels are whole: the edges round down as the items' do.
    const int left = width / 10;
    const int right = width * 9 / 10;
    if (x < static_cast<float>(left) || x >= static_cast<float>(right))
        return -1;
    for (int row = 0; row < rows; ++row) {
        const int rowBottom = rowY(row, height) - (kRowStep - kRowSize) / 2;
        const auto bottom = static_cast<float>(rowBottom);
        if (y >= bottom && y < bottom + static_cast<float>(kRowStep))
            return row;
    }
    return -1;
}

void highScoresScreenItems(const ScoreTable& table, const PlayerRecord& record, int chosen, const std::string& message,
                           int width, int height, std::vector<ScreenItem>& items)
{
    const int w = width;
    const int h = height;
    // The columns: rank, points, time, date, seed, and whether there is a replay.
    const int columns[] = {w * 14 / 100, w * 24 / 100, w * 38 / 100, w * 50 / 100, w * 68 / 100, w * 80 / 100};
    ItemWriter write(items);
    write.panel(PanelId::PauseBackground, 0, 0, w, h);
    write.text("High scores", w / 2, h - 130, 70, true);
    const char* const headings[] = {"Rank", "Points", "Time", "Date", "Seed"};
    for (int c = 0; c < 5; ++c)
        write.text(headings[c], columns[c], h - 205, 26, false);
    const std::vector<ScoreRow>& rows = table.rows();
    if (rows.empty())
        write.text("No runs yet: play one!", w / 2, rowY(2, h), kRowSize, true);
    for (size_t i = 0; i < rows.size(); ++i) {
        const ScoreRow& row = rows[i];
        const int y = rowY(static_cast<int>(i), h);
        if (static_cast<int>(i) == chosen)
            write.text(">", columns[0] - kRowSize, y, kRowSize, false);
        write.text(columns[0], y, kRowSize, false) = ordinal(static_cast<int>(i) + 1);
        write.text(columns[1], y, kRowSize, false) = std::to_string(row.points);
        write.text(columns[2], y, kRowSize, false) = row.ticks ? timeOfTicks(*row.ticks) : "-";
        write.text(columns[3], y, kRowSize, false) = orDash(row.date);
        write.text(columns[4], y, kRowSize, false) = row.seed ? std::to_string(*row.seed) : "-";
        if (row.replay.empty())
            write.text("no replay", columns[5], y, kRowSize * 2 / 3, false);
    }
    write.text(w / 2, 150, 28, true) = "Runs played: " + std::to_string(record.runs) +
                                       "   Cubes dropped: " + std::to_string(record.cubes);
    write.text(w / 2, 110, 28, true) = "Time played: " + timeOfTicks(record.ticks) +
                                       "   Longest run: " + timeOfTicks(record.longest);
    write.text(message.empty() ? "Press [Enter] to watch a run, [Esc] to go back" : message.c_str(), w / 2, 40, 26,
               true);
}
