// libFuzzer target: a replay file's bytes, decoded as --replay and --verify-replay decode them.
// Whatever they hold, decoding never crashes; what it accepts plays back tick for tick, encodes
// to the same bytes again, and can be re-simulated.

#include <cstddef>
#include <cstdint>

#include "replay.h"
#include "run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    std::string error;
    const std::optional<Replay> replay = decodeReplay(bytes, error);
    if (!replay) {
        if (error.empty())
            __builtin_trap(); // every refusal says why
        return 0;
    }
    if (encodeReplay(*replay) != bytes)
        __builtin_trap();
    ReplayPlayer player(*replay);
    // The first ticks through a real world; the rest only decoded, which is quick.
    Run run(replay->seed, 1.0f);
    for (std::uint32_t tick = 0; tick < replay->ticks; ++tick) {
        const TickInput input = player.next();
        if (tick < 30)
            run.world().tick(input);
    }
    if (!player.finished())
        __builtin_trap();
    return 0;
}
