#include "shader_dialect.h"

#include <regex>
#include <sstream>

namespace {

// Reads the four texels bilinear filtering of `p` would blend, in textureGather's order.
constexpr const char* kTextureGather = R"(vec4 gatherTexels(sampler2D s, vec2 p) {
    ivec2 last = textureSize(s, 0) - 1;
    ivec2 low = ivec2(floor(p * vec2(last + 1) - 0.5));
    ivec2 a = clamp(low, ivec2(0), last);
    ivec2 b = clamp(low + 1, ivec2(0), last);
    return vec4(texelFetch(s, ivec2(a.x, b.y), 0).r, texelFetch(s, b, 0).r, texelFetch(s, ivec2(b.x, a.y), 0).r,
                texelFetch(s, a, 0).r);
}
)";

bool startsWith(const std::string& line, const char* prefix)
{
    return line.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

} // namespace

ShaderSource glslEsSource(const std::string& desktop)
{
    static const std::regex binding(R"(layout\s*\(\s*binding\s*=\s*(\d+)\s*\)\s*uniform\s+(\w+)\s+(\w+))");
    static const std::regex initialiser(R"(^(\s*uniform\s+\w+\s+\w+)\s*=[^;]*;)");
    static const std::regex gather(R"(\btextureGather\s*\()");
    ShaderSource result;
    std::ostringstream body;
    bool gathers = false;
    std::istringstream lines(desktop);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (number == 1 && startsWith(line, "#version"))
            continue;
        if (startsWith(line, "#extension")) {
            gathers = gathers || line.find("GL_ARB_texture_gather") != std::string::npos;
            body << '\n';
            continue;
        }
        std::smatch match;
        if (std::regex_search(line, match, binding)) {
            result.samplerUnits.push_back({match[3].str(), std::stoi(match[1].str())});
            line = match.prefix().str() + "uniform " + match[2].str() + " " + match[3].str() + match.suffix().str();
        }
        if (gathers)
            line = std::regex_replace(line, gather, "gatherTexels(");
        body << std::regex_replace(line, initialiser, "$1;") << '\n';
    }
    const bool versioned = startsWith(desktop, "#version");
    result.text = "#version 300 es\nprecision highp float;\nprecision highp int;\nprecision highp sampler2D;\n";
    if (gathers)
        result.text += kTextureGather;
    result.text += "#line " + std::to_string(versioned ? 2 : 1) + "\n" + body.str();
    return result;
}
