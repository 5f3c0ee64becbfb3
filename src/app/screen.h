#pragma once

#include <optional>
#include <vector>

#include "screen_items.h"
#include "window_input.h"

class RunScreen;
class Session;
struct PadReading;

// What the pointer did since a menu last looked: where it is, in the framebuffer's pixels from
// the bottom left, whether it moved, and the buttons pressed.
struct PointerInput {
    float x = 0.0f;
    float y = 0.0f;
    bool moved = false;
    std::vector<int> clicks;
};

// One screen of the game, on the session's stack: the run being played or watched, or a screen
// over it. Each takes the input meant for it, says what it draws over the scene, and opens or
// closes other screens through the session. A screen knows nothing of the screens above it.
class Screen {
public:
    virtual ~Screen() = default;

    // A frame begins with this screen on top.
    virtual void startFrame(Session& /*session*/) {}
    // A key event, on top or passed on from the screen above. Returns whether the screen took it;
    // one it leaves goes on to the screen below. A screen that opens or closes one takes it.
    virtual bool key(Session& session, const KeyEvent& event) = 0;
    // What the gamepad asked for this frame, on top.
    virtual void pad(Session& /*session*/, const PadReading& /*pad*/) {}
    // The pointer, on top, when the screen frees it.
    virtual void pointer(Session& /*session*/, const PointerInput& /*pointer*/) {}
    // The player has left the window (it lost the focus, or was minimised), on top.
    virtual void playerLeft(Session& /*session*/) {}

    // What it draws over the scene, on top, written over `items`.
    virtual void items(const Session& session, std::vector<ScreenItem>& items) const = 0;
    // The music's level under it, or nothing: the level of the screen below.
    virtual std::optional<float> musicLevel() const { return std::nullopt; }
    // The pointer is free to point and click, not captured for looking around.
    virtual bool freesPointer() const { return false; }

    // The run it plays or shows, when it is one.
    virtual RunScreen* run() { return nullptr; }
    const RunScreen* run() const { return const_cast<Screen*>(this)->run(); }
};
