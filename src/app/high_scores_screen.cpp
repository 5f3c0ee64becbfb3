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
    else if (event.key == GLFW_KEY_TAB || event.key == GLFW_KEY_LEFT || event.key == GLFW_KEY_RIGHT)
        switchTable();
    else if (event.key == GLFW_KEY_ENTER || event.key == GLFW_KEY_KP_ENTER)
        watch(session, chosen);
    else if (event.key == GLFW_KEY_R)
        race(session, chosen);
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
    if (pad.menuLeft || pad.menuRight)
        switchTable();
    if (pad.b)
        session.close(*this);
    else if (pad.a)
        watch(session, chosen);
    else if (pad.x)
        race(session, chosen);
}

void HighScoresScreen::pointer(Session& session, const PointerInput& pointer)
{
    const int shown = std::min(rowCount(session) - firstShown(), static_cast<int>(ScoreTable::kRows));
    const int pointed = highScoreRowAt(pointer.x, pointer.y, shown, session.width(), session.height());
    const int row = pointed >= 0 ? firstShown() + pointed : -1;
    if (pointer.moved && row >= 0 && row != chosen) {
        chosen = row;
        message.clear();
    }
    for (int button : pointer.clicks)
        if (button == GLFW_MOUSE_BUTTON_LEFT && row >= 0) {
            watch(session, row);
            return;
        }
}

void HighScoresScreen::items(const Session& session, std::vector<ScreenItem>& items) const
{
    if (daily)
        dailyRunsScreenItems(session.records().daily(), firstShown(), chosen, message, session.width(),
                             session.height(), items);
    else
        highScoresScreenItems(session.records().scores(), session.records().record(), chosen, message,
                              session.width(), session.height(), items);
}

int HighScoresScreen::rowCount(const Session& session) const
{
    return static_cast<int>(daily ? session.records().daily().rows().size() : session.records().scores().rows().size());
}

int HighScoresScreen::firstShown() const
{
    return std::max(0, chosen - static_cast<int>(ScoreTable::kRows) + 1);
}

void HighScoresScreen::move(const Session& session, int step)
{
    const int rows = rowCount(session);
    if (rows == 0)
        return;
    chosen = std::clamp(chosen + step, 0, rows - 1);
    message.clear();
}

void HighScoresScreen::switchTable()
{
    daily = !daily;
    chosen = 0;
    message.clear();
}

void HighScoresScreen::watch(Session& session, int row)
{
    chosen = row;
    if (row >= rowCount(session))
        return;
    const auto index = static_cast<size_t>(row);
    const bool watched = daily ? session.watchDaily(session.records().daily().rows()[index].date)
                               : session.watchRow(index);
    if (!watched)
        message = "That run has no replay to watch";
}

// A row of the ten best races its replay; a day is played again, against its best where there is one.
void HighScoresScreen::race(Session& session, int row)
{
    chosen = row;
    if (row >= rowCount(session))
        return;
    const auto index = static_cast<size_t>(row);
    if (daily)
        session.playDaily(session.records().daily().rows()[index].date);
    else if (!session.raceRow(index))
        message = "That run has no replay to race";
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
    write.text(message.empty() ? "[Enter] watch a run   [R] race it   [Tab] daily runs   [Esc] back" : message.c_str(),
               w / 2, 40, 26, true);
}

void dailyRunsScreenItems(const DailyTable& table, int first, int chosen, const std::string& message, int width,
                          int height, std::vector<ScreenItem>& items)
{
    const int w = width;
    const int h = height;
    const int columns[] = {w * 24 / 100, w * 44 / 100, w * 58 / 100, w * 72 / 100};
    ItemWriter write(items);
    write.panel(PanelId::PauseBackground, 0, 0, w, h);
    write.text("Daily runs", w / 2, h - 130, 70, true);
    const char* const headings[] = {"Day", "Best", "Runs"};
    for (int c = 0; c < 3; ++c)
        write.text(headings[c], columns[c], h - 205, 26, false);
    const std::vector<DailyRow>& rows = table.rows();
    if (rows.empty())
        write.text("No daily runs yet: one a day, the same track for everyone", w / 2, rowY(2, h), kRowSize, true);
    const size_t end = std::min(rows.size(), static_cast<size_t>(first) + ScoreTable::kRows);
    for (size_t i = static_cast<size_t>(first); i < end; ++i) {
        const DailyRow& row = rows[i];
        const int y = rowY(static_cast<int>(i) - first, h);
        if (static_cast<int>(i) == chosen)
            write.text(">", columns[0] - kRowSize, y, kRowSize, false);
        write.text(columns[0], y, kRowSize, false) = row.date;
        write.text(columns[1], y, kRowSize, false) = std::to_string(row.best);
        write.text(columns[2], y, kRowSize, false) = std::to_string(row.attempts);
        if (row.replay.empty())
            write.text("no replay", columns[3], y, kRowSize * 2 / 3, false);
    }
    write.text(message.empty() ? "[Enter] watch the day's best   [R] play that day   [Tab] ten best   [Esc] back"
                               : message.c_str(),
               w / 2, 40, 26, true);
}
