#include "replay.h"

#include <cmath>
#include <cstring>

namespace {

// Bump whenever a change makes the same inputs play a different game.
constexpr int kSimulationRevision = 1;

constexpr char kMagic[4] = {'Z', 'R', 'P', 'L'};
constexpr std::uint8_t kFormat = 1;
constexpr size_t kLongestVersion = 32;
// A day of play, far more than any run lasts.
constexpr std::uint32_t kMostTicks = 24u * 60u * 60u * kTicksPerSecond;

// Each stretch of ticks starts with a byte of these bits. The held keys hold for the whole
// stretch; the presses and a new view belong to its first tick.
enum StretchBits : std::uint8_t {
    kForward = 1 << 0,
    kBackward = 1 << 1,
    kLeft = 1 << 2,
    kRight = 1 << 3,
    kJump = 1 << 4,
    kDropAll = 1 << 5,
    kView = 1 << 6,     // yaw, pitch and movement speed follow, as 32-bit floats
    kRepeated = 1 << 7, // the number of further ticks follows, 7 bits a byte, low bits first
};
constexpr std::uint8_t kHeldKeys = kForward | kBackward | kLeft | kRight;

std::uint8_t heldKeysOf(const TickInput& input)
{
    return static_cast<std::uint8_t>((input.forward ? kForward : 0) | (input.backward ? kBackward : 0) |
                                     (input.left ? kLeft : 0) | (input.right ? kRight : 0));
}

bool sameView(const TickInput& a, const TickInput& b)
{
    return a.yaw == b.yaw && a.pitch == b.pitch && a.movementSpeed == b.movementSpeed;
}

class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& target) : out(target) {}

    void byte(std::uint8_t value) { out.push_back(value); }
    void bytes(const void* data, size_t size)
    {
        const auto* first = static_cast<const std::uint8_t*>(data);
        out.insert(out.end(), first, first + size);
    }
    template <typename Unsigned> void number(Unsigned value)
    {
        for (size_t i = 0; i < sizeof(Unsigned); ++i)
            byte(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void real(float value)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        number(bits);
    }
    void count(std::uint32_t value)
    {
        while (value >= 0x80) {
            byte(static_cast<std::uint8_t>(value | 0x80));
            value >>= 7;
        }
        byte(static_cast<std::uint8_t>(value));
    }

private:
    std::vector<std::uint8_t>& out;
};

// Reads what a Writer wrote; every read fails, rather than reading past the end, once the bytes
// run out.
class Reader {
public:
    Reader(const std::uint8_t* data, size_t size) : data(data), size(size) {}

    size_t left() const { return size - offset; }
    size_t position() const { return offset; }

    bool byte(std::uint8_t& value)
    {
        if (left() < 1)
            return false;
        value = data[offset++];
        return true;
    }
    bool bytes(void* target, size_t count)
    {
        if (left() < count)
            return false;
        if (count == 0) // an empty target may have no storage at all
            return true;
        std::memcpy(target, data + offset, count);
        offset += count;
        return true;
    }
    template <typename Unsigned> bool number(Unsigned& value)
    {
        value = 0;
        for (size_t i = 0; i < sizeof(Unsigned); ++i) {
            std::uint8_t part;
            if (!byte(part))
                return false;
            value = static_cast<Unsigned>(value | static_cast<Unsigned>(part) << (8 * i));
        }
        return true;
    }
    bool real(float& value)
    {
        std::uint32_t bits;
        if (!number(bits))
            return false;
        std::memcpy(&value, &bits, sizeof value);
        return true;
    }
    // At most five bytes, and a value that fits 32 bits.
    bool count(std::uint32_t& value)
    {
        std::uint64_t total = 0;
        for (int shift = 0; shift < 35; shift += 7) {
            std::uint8_t part;
            if (!byte(part))
                return false;
            total |= static_cast<std::uint64_t>(part & 0x7F) << shift;
            if ((part & 0x80) == 0) {
                if (total > 0xFFFFFFFFu)
                    return false;
                value = static_cast<std::uint32_t>(total);
                return true;
            }
        }
        return false;
    }

private:
    const std::uint8_t* data;
    size_t size;
    size_t offset = 0;
};

// One stretch of ticks as stored: its first tick's input, and how many ticks it covers.
struct Stretch {
    TickInput first;
    std::uint32_t ticks = 1;
};

// Reads the stretch at the reader's position onto `view`, the view of the stretch before it.
// Fails with `error` set for a stretch that a recorder cannot have written.
bool readStretch(Reader& in, const TickInput& view, Stretch& stretch, std::string& error)
{
    std::uint8_t flags;
    if (!in.byte(flags)) {
        error = "it is damaged: its inputs end early";
        return false;
    }
    TickInput& input = stretch.first;
    input = view;
    input.forward = (flags & kForward) != 0;
    input.backward = (flags & kBackward) != 0;
    input.left = (flags & kLeft) != 0;
    input.right = (flags & kRight) != 0;
    input.jump = (flags & kJump) != 0;
    input.dropAll = (flags & kDropAll) != 0;
    if ((flags & kView) != 0) {
        if (!in.real(input.yaw) || !in.real(input.pitch) || !in.real(input.movementSpeed)) {
            error = "it is damaged: its inputs end early";
            return false;
        }
        // The limits the mouse and the wheel keep the view within; NaN fails them too.
        const bool inRange = input.yaw >= -120.0f && input.yaw <= -60.0f && input.pitch >= -89.0f &&
                             input.pitch <= 89.0f && input.movementSpeed >= 0.3f && input.movementSpeed <= 3.0f;
        if (!inRange) {
            error = "it is damaged: it turns the view beyond the game's limits";
            return false;
        }
    }
    stretch.ticks = 1;
    if ((flags & kRepeated) != 0) {
        std::uint32_t further = 0;
        if (!in.count(further) || further == 0 || further >= kMostTicks) {
            error = "it is damaged: a stretch of ticks has no valid length";
            return false;
        }
        stretch.ticks += further;
    }
    return true;
}

std::string printable(const std::string& text)
{
    std::string shown;
    for (char c : text)
        shown += (c >= 0x20 && c < 0x7F) ? c : '?';
    return shown;
}

} // namespace

std::string replayVersion()
{
    return std::string(ZARNOK_VERSION) + "/" + std::to_string(kSimulationRevision);
}

ReplayRecorder::ReplayRecorder(std::uint32_t seed)
{
    replay.version = replayVersion();
    replay.seed = seed;
    // A long run's inputs, so that recording does not allocate while playing.
    replay.inputs.reserve(size_t{256} * 1024);
}

void ReplayRecorder::record(const TickInput& input)
{
    const bool plain = !input.jump && !input.dropAll && sameView(input, previous);
    const std::uint8_t held = heldKeysOf(input);
    if (stretch > 0 && plain && held == (flags & kHeldKeys)) {
        ++stretch;
    } else {
        if (stretch > 0)
            flush(replay.inputs);
        flags = static_cast<std::uint8_t>(held | (input.jump ? kJump : 0) | (input.dropAll ? kDropAll : 0) |
                                          (sameView(input, previous) ? 0 : kView));
        stretchStart = input;
        stretch = 1;
    }
    previous = input;
    ++replay.ticks;
}

void ReplayRecorder::flush(std::vector<std::uint8_t>& out) const
{
    Writer write(out);
    write.byte(static_cast<std::uint8_t>(flags | (stretch > 1 ? kRepeated : 0)));
    if ((flags & kView) != 0) {
        write.real(stretchStart.yaw);
        write.real(stretchStart.pitch);
        write.real(stretchStart.movementSpeed);
    }
    if (stretch > 1)
        write.count(stretch - 1);
}

void ReplayRecorder::appendPendingInputs(std::vector<std::uint8_t>& out) const
{
    if (stretch > 0)
        flush(out);
}

Replay ReplayRecorder::finish(std::int32_t points, std::uint64_t state) const
{
    Replay finished = replay;
    appendPendingInputs(finished.inputs);
    finished.finalPoints = points;
    finished.finalState = state;
    return finished;
}

ReplayPlayer::ReplayPlayer(Replay recordedReplay) : replay(std::move(recordedReplay))
{
}

void ReplayPlayer::readStretch()
{
    Reader in(replay.inputs.data() + offset, replay.inputs.size() - offset);
    Stretch stretch;
    std::string error;
    if (!::readStretch(in, held, stretch, error)) {
        // Only a replay that never went through decodeReplay can get here: it plays on as it was.
        stretchLeft = replay.ticks - played;
        return;
    }
    offset += in.position();
    held = stretch.first;
    stretchLeft = stretch.ticks;
}

TickInput ReplayPlayer::next()
{
    TickInput input = held;
    input.jump = false;
    input.dropAll = false;
    if (stretchLeft == 0) {
        readStretch();
        input = held;
    }
    --stretchLeft;
    ++played;
    return input;
}

std::vector<std::uint8_t> encodeReplay(const Replay& replay)
{
    std::vector<std::uint8_t> bytes;
    appendReplayHeader(replay, replay.inputs.size(), bytes);
    bytes.insert(bytes.end(), replay.inputs.begin(), replay.inputs.end());
    return bytes;
}

void appendReplayHeader(const Replay& replay, size_t inputBytes, std::vector<std::uint8_t>& out)
{
    Writer write(out);
    write.bytes(kMagic, sizeof kMagic);
    write.byte(kFormat);
    write.byte(static_cast<std::uint8_t>(replay.version.size()));
    write.bytes(replay.version.data(), replay.version.size());
    write.number(replay.seed);
    write.number(replay.ticks);
    write.number(static_cast<std::uint32_t>(replay.finalPoints));
    write.number(replay.finalState);
    write.number(static_cast<std::uint32_t>(inputBytes));
}

namespace {

// Checks that the inputs hold exactly `ticks` ticks of stretches a recorder can have written.
bool validInputs(const std::vector<std::uint8_t>& inputs, std::uint32_t ticks, std::string& error)
{
    Reader in(inputs.data(), inputs.size());
    TickInput view;
    std::uint64_t counted = 0;
    while (in.left() > 0) {
        Stretch stretch;
        if (!readStretch(in, view, stretch, error))
            return false;
        view = stretch.first;
        counted += stretch.ticks;
        if (counted > ticks) {
            error = "it is damaged: it holds more ticks than it says";
            return false;
        }
    }
    if (counted != ticks) {
        error = "it is damaged: it holds fewer ticks than it says";
        return false;
    }
    return true;
}

} // namespace

std::optional<Replay> decodeReplay(const std::vector<std::uint8_t>& bytes, std::string& error)
{
    Reader in(bytes.data(), bytes.size());
    char magic[sizeof kMagic];
    if (!in.bytes(magic, sizeof magic) || std::memcmp(magic, kMagic, sizeof magic) != 0) {
        error = "it is not a ZARNOK replay";
        return std::nullopt;
    }
    const std::string early = "it is damaged: it ends early";
    std::uint8_t format;
    std::uint8_t versionLength;
    if (!in.byte(format)) {
        error = early;
        return std::nullopt;
    }
    if (format != kFormat) {
        error = "it is in a replay format this game does not know (" + std::to_string(format) + ")";
        return std::nullopt;
    }
    Replay replay;
    if (!in.byte(versionLength) || versionLength > kLongestVersion) {
        error = "it is damaged: it names no version";
        return std::nullopt;
    }
    replay.version.resize(versionLength);
    if (!in.bytes(replay.version.data(), versionLength)) {
        error = early;
        return std::nullopt;
    }
    if (replay.version != replayVersion()) {
        error = "it was recorded by zarnok " + printable(replay.version) + ", and this is zarnok " + replayVersion() +
                ", whose game differs";
        return std::nullopt;
    }
    std::uint32_t points = 0;
    std::uint32_t inputLength = 0;
    if (!in.number(replay.seed) || !in.number(replay.ticks) || !in.number(points) || !in.number(replay.finalState) ||
        !in.number(inputLength)) {
        error = early;
        return std::nullopt;
    }
    replay.finalPoints = static_cast<std::int32_t>(points);
    if (replay.ticks > kMostTicks || replay.finalPoints < 0) {
        error = "it is damaged: it claims " + std::to_string(replay.ticks) + " ticks and " +
                std::to_string(replay.finalPoints) + " points";
        return std::nullopt;
    }
    if (inputLength != in.left()) {
        error = inputLength > in.left() ? early : "it is damaged: there is more after its end";
        return std::nullopt;
    }
    replay.inputs.resize(inputLength);
    in.bytes(replay.inputs.data(), inputLength);
    if (!validInputs(replay.inputs, replay.ticks, error))
        return std::nullopt;
    return replay;
}
