#pragma once

#include <cstdint>

// The program-wide switches, set by the settings and the keys, read by the frame loop.
struct AppFlags {
    bool wireframeEnabled = false;
    bool cullingEnabled = false;
    bool showNormals = false;
    bool showTexCoords = false;
    bool moveForwardHeld = false;
    bool moveLeftHeld = false;
    bool moveBackwardHeld = false;
    bool moveRightHeld = false;
    bool jumpRequested = false;
    bool paused = false;
    bool gameOver = false;
    bool dropAllRequested = false;
    bool playAgainRequested = false; // R on the game-over screen
    bool bestRunRequested = false;   // B on the game-over screen
    bool optionsRequested = false;   // O on the pause screen
    bool watchingReplay = false;     // a recorded run is playing: only Escape and Q act
    bool replayOnly = false;         // the game was started to show one replay, and nothing else
    bool muted = false;              // M
};

// The flags a new run starts with: the display toggles as they were, nothing held or requested,
// the game running.
AppFlags restartedFlags(const AppFlags& flags);

extern AppFlags appFlags;

// Cubes dropped, weighted by the powerup in force when each was removed.
extern std::int32_t points;
