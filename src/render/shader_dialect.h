#pragma once

#include <string>
#include <vector>

// The shader files are written in desktop GLSL 3.30. OpenGL ES 3.0, which is what WebGL 2 offers,
// takes the same programs in GLSL ES 3.00 with a few words changed, so the files stay one copy
// and are turned into that form as they are loaded.

// A sampler whose texture unit the desktop source fixed with layout(binding = unit), which
// GLSL ES 3.00 has not got: the unit is set from the program once it is linked.
struct SamplerUnit {
    std::string sampler;
    int unit = 0;
};

struct ShaderSource {
    std::string text;
    std::vector<SamplerUnit> samplerUnits;
};

// `desktop` in GLSL ES 3.00: the ES version line with high precision throughout, the desktop
// extensions left out (texture gather read with texel fetches instead), sampler bindings taken
// out into `samplerUnits`, and uniform initialisers dropped. Line numbers in compile logs stay
// those of the file.
ShaderSource glslEsSource(const std::string& desktop);

// The source as this platform's OpenGL takes it: as written on the desktop, in GLSL ES in a
// browser.
ShaderSource sourceForThisGl(const std::string& text);
