#pragma once

// The switches a game keeps from run to run: the display toggles (set by the settings and the
// keys), the movement keys held, and the sound muted.
struct AppFlags {
    bool wireframeEnabled = false;
    bool cullingEnabled = false;
    bool showNormals = false;
    bool showTexCoords = false;
    bool moveForwardHeld = false;
    bool moveLeftHeld = false;
    bool moveBackwardHeld = false;
    bool moveRightHeld = false;
    bool muted = false; // M

    // A new run starts with no key held, whatever was held when it began.
    void releaseMovementKeys() { moveForwardHeld = moveLeftHeld = moveBackwardHeld = moveRightHeld = false; }
};
