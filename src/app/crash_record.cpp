#include "crash_record.h"

#include <algorithm>
#include <cstring>

#include "crash_handler.h"

void CrashRecord::startRun(std::uint32_t runSeed)
{
    head.version = replayVersion();
    head.seed = runSeed;
    head.finalState = kNoFinalState;
    copied = 0;
    full = false;
    Slot slot;
    writeHead(slot, 0, 0, 0);
    publish(slot);
}

void CrashRecord::follow(const ReplayRecorder& recorder, std::int32_t points)
{
    if (full)
        return;
    const std::vector<std::uint8_t>& stored = recorder.storedInputs();
    while (copied < stored.size()) {
        const size_t chunk = copied / kChunkBytes;
        if (chunk == kChunks) {
            full = true;
            endRun();
            return;
        }
        if (!chunks[chunk])
            chunks[chunk] = std::make_unique<std::uint8_t[]>(kChunkBytes);
        const size_t count = std::min(stored.size() - copied, kChunkBytes - copied % kChunkBytes);
        std::memcpy(chunks[chunk].get() + copied % kChunkBytes, stored.data() + copied, count);
        copied += count;
    }
    Slot slot;
    scratch.clear();
    recorder.appendPendingInputs(scratch);
    std::copy(scratch.begin(), scratch.end(), slot.tail.begin());
    slot.tailBytes = scratch.size();
    slot.stored = copied;
    writeHead(slot, recorder.ticks(), points, slot.stored + slot.tailBytes);
    publish(slot);
    if (crashTick != 0 && recorder.ticks() == crashTick)
        crashOnPurpose();
}

void CrashRecord::writeHead(Slot& slot, std::uint32_t ticks, std::int32_t points, size_t inputBytes)
{
    head.ticks = ticks;
    head.finalPoints = points;
    scratch.clear();
    appendReplayHeader(head, inputBytes, scratch);
    std::copy(scratch.begin(), scratch.end(), slot.head.begin());
    slot.headBytes = scratch.size();
    slot.run = {true, head.seed, ticks, points};
}

void CrashRecord::endRun()
{
    publish(Slot{});
}

CrashRecord::RunState CrashRecord::runState() const
{
    return slots[static_cast<size_t>(shown.load(std::memory_order_acquire))].run;
}

void CrashRecord::publish(const Slot& slot)
{
    const int next = 1 - shown.load(std::memory_order_relaxed);
    slots[static_cast<size_t>(next)] = slot;
    shown.store(next, std::memory_order_release);
}

CrashRecord& crashRecord()
{
    static CrashRecord record;
    return record;
}
