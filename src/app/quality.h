#pragma once

#include <optional>
#include <string>

// The graphics presets: High is the picture as designed; Medium and Low give up what costs a
// software renderer most for what it shows least.
enum class Quality { Low, Medium, High };

// "low", "medium", "high": the names the options file and --quality use.
const char* qualityName(Quality quality);
// "Low", "Medium", "High": as the options screen shows them.
const char* qualityLabel(Quality quality);
// The quality of a name, ignoring case; nothing for another word.
std::optional<Quality> qualityFromName(const std::string& name);

// What a preset draws.
struct QualityPreset {
    bool motionBlur;     // the tiled camera-motion composite; without it the scene is copied
    int samples;         // the window's multisampling: a new window, so from the next start
    float renderScale;   // the scene is drawn at this share of the window's width and height; the
                         // blur reads the scene pixel for pixel, so a blurred scene is at 1
    float particleShare; // of the fountains' particles
};

QualityPreset presetOf(Quality quality);

// Whether a GL renderer string names a software renderer: llvmpipe, softpipe, SwiftShader, or
// Microsoft's basic renderer.
bool isSoftwareRenderer(const std::string& renderer);
