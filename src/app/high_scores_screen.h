#pragma once

#include <string>

#include "run_records.h"
#include "screen.h"

// The player's ten best runs and their record, or their daily runs, over the title. Tab (or Left
// and Right) switches between the two tables; Up and Down (or the pointer) choose a row; Enter
// (or a click) watches its run, R races it (for a day: plays that day's daily run against its
// best), Escape goes back. Keys act on their press.
class HighScoresScreen : public Screen {
public:
    bool key(Session& session, const KeyEvent& event) override;
    void pad(Session& session, const PadReading& pad) override;
    void pointer(Session& session, const PointerInput& pointer) override;
    void items(const Session& session, std::vector<ScreenItem>& items) const override;
    bool freesPointer() const override { return true; }

    int chosenRow() const { return chosen; }
    bool showsDaily() const { return daily; }

private:
    int rowCount(const Session& session) const;
    // The first row on the screen: the daily table scrolls to keep the chosen day in sight.
    int firstShown() const;
    void move(const Session& session, int step);
    void switchTable();
    void watch(Session& session, int row);
    void race(Session& session, int row);

    bool daily = false;
    int chosen = 0;
    std::string message; // why the chosen run cannot be watched
};

// The row of the table under a point of the window (pixels from the bottom left), or -1.
int highScoreRowAt(float x, float y, int rows, int width, int height);

// The table: a line per run (rank, points, time, date, seed), the chosen one marked, the
// player's record below it, and how to watch a run and go back.
void highScoresScreenItems(const ScoreTable& table, const PlayerRecord& record, int chosen, const std::string& message,
                           int width, int height, std::vector<ScreenItem>& items);

// The daily runs from the row `first` on: a line per day (date, best points, runs), the chosen
// one marked, and how to watch or play a day and go back.
void dailyRunsScreenItems(const DailyTable& table, int first, int chosen, const std::string& message, int width,
                          int height, std::vector<ScreenItem>& items);
