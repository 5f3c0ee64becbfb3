#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "replay.h"

// What a crash leaves behind, kept current as the run goes so that the crash handler has only to
// write bytes that already exist: the run so far as a replay file's bytes, with its seed, tick and
// points. Nothing the handler reads is ever moved or freed while the game runs, and what changes
// each tick is written into the slot the handler is not reading, then switched to at once.
class CrashRecord {
public:
    // A run being played from its first tick on `seed`; it replaces the one before.
    void startRun(std::uint32_t seed);
    // After a tick: the recorder holds every tick played, and the run has `points`.
    void follow(const ReplayRecorder& recorder, std::int32_t points);
    // No run is being played: a crash leaves no replay.
    void endRun();
    // For the tests of the crash path: the game crashes once a run has played `tick` ticks.
    void crashAtTick(std::uint32_t tick) { crashTick = tick; }

    // For the handler: whether a run is being played, and its seed, ticks and points.
    struct RunState {
        bool running = false;
        std::uint32_t seed = 0;
        std::uint32_t ticks = 0;
        std::int32_t points = 0;
    };
    RunState runState() const;
    // Hands the replay file's bytes, in order, to `write(const std::uint8_t*, size_t)`.
    template <typename Write> void writeReplay(Write write) const;

private:
    static constexpr size_t kChunkBytes = size_t{16} * 1024;
    static constexpr size_t kChunks = 4096; // 64 MB of inputs: a run of many hours
    struct Slot {
        RunState run;
        std::array<std::uint8_t, 128> head{}; // the file up to its inputs
        size_t headBytes = 0;
        std::array<std::uint8_t, 32> tail{}; // the inputs of the stretch still being recorded
        size_t tailBytes = 0;
        size_t stored = 0; // the inputs in the chunks that belong to this slot's file
    };
    void publish(const Slot& slot);
    // The file's start for the ticks and points so far, into `slot`.
    void writeHead(Slot& slot, std::uint32_t ticks, std::int32_t points, size_t inputBytes);

    std::array<std::unique_ptr<std::uint8_t[]>, kChunks> chunks;
    size_t copied = 0; // of the recorder's stored inputs, into the chunks
    std::array<Slot, 2> slots;
    std::atomic<int> shown{0};
    Replay head;                 // the fields of the file's start; its inputs stay empty
    std::uint32_t crashTick = 0; // 0: none
    bool full = false;           // the run outgrew the chunks: it is no longer kept
    std::vector<std::uint8_t> scratch;
};

// The process's one record, which the crash handler reads.
CrashRecord& crashRecord();

template <typename Write> void CrashRecord::writeReplay(Write write) const
{
    const Slot& slot = slots[static_cast<size_t>(shown.load(std::memory_order_acquire))];
    write(slot.head.data(), slot.headBytes);
    for (size_t at = 0; at < slot.stored; at += kChunkBytes)
        write(chunks[at / kChunkBytes].get(), std::min(kChunkBytes, slot.stored - at));
    write(slot.tail.data(), slot.tailBytes);
}
