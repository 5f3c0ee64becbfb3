#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "replay.h"
#include "run.h"

// A replay's run that can be moved to any of its ticks. The world after a seek to tick N is the
// one a straight re-simulation reaches at N, bit for bit: forward, it plays the ticks between;
// back, it plays the run again from its start. A Bullet world cannot be copied, so the seeker
// keeps checkpoints instead: runs of the same replay parked at a quarter, a half and three
// quarters of its length, which prepare() plays there a few ticks at a time while the viewer
// shows the run. A seek then starts from the nearest checkpoint before its target.
class ReplaySeeker {
public:
    static constexpr int kCheckpoints = 3;

    // `replay` must have come through decodeReplay or from a recorder. `physics`, if given, is
    // the world the first run is built on.
    ReplaySeeker(Replay replay, float aspectRatio, std::unique_ptr<PhysicsWorld> physics = nullptr);

    // The next recorded tick; ended() must be false.
    TickEvents tick();
    // The next tick's recorded input, for a caller that ticks the run itself; ended() must be false.
    TickInput nextInput() { return shown.playback.next(); }
    // The run can go no further: its recording ran out, or it fell.
    bool ended() const { return shown.ended(); }
    // Ticks played, and all there are to play.
    std::uint32_t position() const { return shown.ticks(); }
    std::uint32_t length() const { return shown.playback.recorded().ticks; }

    // Moves the run to tick `target`, or to its end if that comes first, from the run shown or
    // the nearest checkpoint before the target, whichever is nearer; the run shown is then
    // another object (run() tells which).
    void seek(std::uint32_t target);
    // Spends up to `ticks` ticks on the checkpoints still missing (one used by a seek is made
    // again); false once there is nothing left to do.
    bool prepare(int ticks);
    // The checkpoints ready, in order of their ticks.
    std::vector<std::uint32_t> checkpoints() const;

    Run& run() { return *shown.run; }
    const Run& run() const { return *shown.run; }
    const Replay& recorded() const { return shown.playback.recorded(); }

    // A recorder that holds the inputs of the ticks played so far, for playing on from here.
    ReplayRecorder recorderUpToHere() const;
    // Hands the run on, to be played on from where it is; nothing of the seeker may be used after.
    std::unique_ptr<Run> release() { return std::move(shown.run); }

private:
    // A run of the replay with the inputs it has still to play.
    struct Copy {
        std::unique_ptr<Run> run;
        ReplayPlayer playback;
        std::uint32_t ticks() const { return static_cast<std::uint32_t>(run->world().ticks()); }
        bool ended() const { return playback.finished() || run->world().over(); }
        void tick() { run->world().tick(playback.next()); }
    };

    Copy fromTheStart() const;
    std::uint32_t checkpointTick(int index) const;
    // The checkpoint at the highest tick no later than `target`, if any.
    std::optional<size_t> checkpointBefore(std::uint32_t target) const;

    float aspect;
    Copy shown;
    std::vector<Copy> parked; // the checkpoints ready, by tick
    std::optional<Copy> building;
    std::uint32_t buildingTo = 0;
    std::uint32_t reachable = UINT32_MAX; // the tick the run falls at, when it falls early
};
