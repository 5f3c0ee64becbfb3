#include "replay_seeker.h"

#include <algorithm>
#include <utility>

ReplaySeeker::ReplaySeeker(Replay replay, float aspectRatio, std::unique_ptr<PhysicsWorld> physics)
    : aspect(aspectRatio),
      shown{std::make_unique<Run>(physics ? std::move(physics) : std::make_unique<PhysicsWorld>(), replay.seed,
                                  aspectRatio),
            ReplayPlayer(replay)}
{
}

TickEvents ReplaySeeker::tick()
{
    return shown.run->world().tick(shown.playback.next());
}

void ReplaySeeker::seek(std::uint32_t target)
{
    const std::optional<size_t> checkpoint = checkpointBefore(target);
    const bool checkpointNearer = checkpoint && (parked[*checkpoint].ticks() > position() || target < position());
    if (checkpointNearer) {
        // The run shown goes first: Bullet worlds of a long track are a lot of memory.
        shown.run.reset();
        shown = std::move(parked[*checkpoint]);
        parked.erase(parked.begin() + static_cast<std::ptrdiff_t>(*checkpoint));
    } else if (target < position()) {
        shown.run.reset();
        shown = fromTheStart();
    }
    while (shown.ticks() < target && !shown.ended())
        shown.tick();
}

bool ReplaySeeker::prepare(int ticks)
{
    const auto ready = [&](std::uint32_t tick) {
        return tick > reachable ||
               std::any_of(parked.begin(), parked.end(), [&](const Copy& copy) { return copy.ticks() == tick; });
    };
    for (int spent = 0; spent < ticks;) {
        if (!building) {
            int missing = 0;
            while (missing < kCheckpoints && ready(checkpointTick(missing)))
                ++missing;
            if (missing == kCheckpoints)
                return false;
            building = fromTheStart();
            buildingTo = checkpointTick(missing);
        }
        if (building->ticks() < buildingTo && !building->ended()) {
            building->tick();
            ++spent;
            continue;
        }
        // A run that falls before its recording ends (a damaged one) has no checkpoints after.
        if (building->ticks() < buildingTo)
            reachable = building->ticks();
        const auto place = std::upper_bound(parked.begin(), parked.end(), building->ticks(),
                                            [](std::uint32_t tick, const Copy& copy) { return tick < copy.ticks(); });
        parked.insert(place, std::move(*building));
        building.reset();
    }
    return true;
}

std::vector<std::uint32_t> ReplaySeeker::checkpoints() const
{
    std::vector<std::uint32_t> ticks;
    for (const Copy& copy : parked)
        ticks.push_back(copy.ticks());
    return ticks;
}

ReplayRecorder ReplaySeeker::recorderUpToHere() const
{
    ReplayRecorder recorder(recorded().seed);
    ReplayPlayer inputs(recorded());
    for (std::uint32_t i = 0; i < position(); ++i)
        recorder.record(inputs.next());
    return recorder;
}

ReplaySeeker::Copy ReplaySeeker::fromTheStart() const
{
    Copy copy{nullptr, ReplayPlayer(recorded())};
    copy.run = std::make_unique<Run>(recorded().seed, aspect);
    return copy;
}

std::uint32_t ReplaySeeker::checkpointTick(int index) const
{
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(length()) * static_cast<std::uint32_t>(index + 1) /
                                      (kCheckpoints + 1));
}

std::optional<size_t> ReplaySeeker::checkpointBefore(std::uint32_t target) const
{
    std::optional<size_t> found;
    for (size_t i = 0; i < parked.size() && parked[i].ticks() <= target; ++i)
        found = i;
    return found;
}
