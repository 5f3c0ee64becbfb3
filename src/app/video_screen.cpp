#include "video_screen.h"

#include "physics_world.h"

namespace {

std::unique_ptr<Run> runOf(const Replay& replay, float aspectRatio, std::unique_ptr<PhysicsWorld> physics)
{
    if (!physics)
        physics = std::make_unique<PhysicsWorld>();
    return std::make_unique<Run>(std::move(physics), replay.seed, aspectRatio);
}

} // namespace

VideoScreen::VideoScreen(Replay replay, float aspectRatio, std::unique_ptr<PhysicsWorld> physics,
                         std::unique_ptr<Ghost> ghost)
    : RunScreen(runOf(replay, aspectRatio, std::move(physics))), rival(std::move(ghost)), playback(std::move(replay))
{
    if (playback.finished())
        end("");
}

void VideoScreen::items(const Session& session, std::vector<ScreenItem>& items) const
{
    hud(session, false, items);
}

TickInput VideoScreen::nextInput(const TickSources& /*sources*/)
{
    return playback.next();
}

void VideoScreen::reactTo(Session& /*session*/, const TickEvents& events)
{
    if (rival)
        rival->tick();
    if (events.gameOver || playback.finished())
        end("");
}
