#pragma once

#include <memory>

#include "replay.h"
#include "run_screen.h"

// A recorded run as a video shows it: played tick by tick from its inputs with the HUD the player
// saw, and the ghost it raced, if it is given one. No "Replay" on it, no viewer's bar, and no key
// changes what it shows. Its end is the video's: nothing is shown after it.
class VideoScreen : public RunScreen {
public:
    // `physics`, if given, is the world the run is built on.
    VideoScreen(Replay replay, float aspectRatio, std::unique_ptr<PhysicsWorld> physics, std::unique_ptr<Ghost> ghost);

    bool key(Session& /*session*/, const KeyEvent& /*event*/) override { return true; }
    void items(const Session& session, std::vector<ScreenItem>& items) const override;
    bool showsRecordedView() const override { return true; }
    bool playerLooks() const override { return false; }
    const Ghost* ghost() const override { return rival.get(); }

protected:
    TickInput nextInput(const TickSources& sources) override;
    void reactTo(Session& session, const TickEvents& events) override;
    void showEnd(Session& /*session*/) override {}
    void pause(Session& /*session*/) override {}

private:
    std::unique_ptr<Ghost> rival;
    ReplayPlayer playback;
};
