#include "shader_dialect.h"

#include <cctype>
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

bool isWordCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// Reads a line a token at a time: words, numbers and single marks, blanks between them skipped.
class Tokens {
public:
    explicit Tokens(const std::string& text, size_t from = 0) : text(text), at(from) {}

    bool take(const std::string& token)
    {
        skipBlanks();
        if (text.compare(at, token.size(), token) != 0)
            return false;
        const bool word = isWordCharacter(token.back());
        if (word && at + token.size() < text.size() && isWordCharacter(text[at + token.size()]))
            return false;
        at += token.size();
        return true;
    }
    std::string word()
    {
        skipBlanks();
        const size_t start = at;
        while (at < text.size() && isWordCharacter(text[at]))
            ++at;
        return text.substr(start, at - start);
    }
    size_t position() const { return at; }

private:
    void skipBlanks()
    {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])) != 0)
            ++at;
    }
    const std::string& text;
    size_t at;
};

// "layout(binding = N) uniform TYPE NAME" becomes "uniform TYPE NAME", and N the sampler's unit.
bool takeBinding(std::string& line, std::vector<SamplerUnit>& units)
{
    const size_t start = line.find("layout");
    if (start == std::string::npos)
        return false;
    Tokens tokens(line, start);
    if (!tokens.take("layout") || !tokens.take("(") || !tokens.take("binding") || !tokens.take("="))
        return false;
    const std::string unit = tokens.word();
    if (unit.empty() || unit.size() > 2 || !tokens.take(")") || !tokens.take("uniform"))
        return false;
    const std::string type = tokens.word();
    const std::string name = tokens.word();
    if (type.empty() || name.empty())
        return false;
    units.push_back({name, std::stoi(unit)});
    line.replace(start, tokens.position() - start, "uniform " + type + " " + name);
    return true;
}

// "uniform TYPE NAME = VALUE;" becomes "uniform TYPE NAME;".
void dropInitialiser(std::string& line)
{
    Tokens tokens(line);
    if (!tokens.take("uniform"))
        return;
    const std::string type = tokens.word();
    const std::string name = tokens.word();
    const size_t named = tokens.position();
    const size_t end = line.find(';', named);
    if (type.empty() || name.empty() || !tokens.take("=") || end == std::string::npos)
        return;
    line.erase(named, end - named);
}

void replaceWord(std::string& line, const std::string& word, const std::string& by)
{
    size_t at = 0;
    while ((at = line.find(word, at)) != std::string::npos) {
        const bool alone = (at == 0 || !isWordCharacter(line[at - 1])) &&
                           (at + word.size() == line.size() || !isWordCharacter(line[at + word.size()]));
        if (alone) {
            line.replace(at, word.size(), by);
            at += by.size();
        } else {
            at += word.size();
        }
    }
}

} // namespace

ShaderSource glslEsSource(const std::string& desktop)
{
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
        takeBinding(line, result.samplerUnits);
        dropInitialiser(line);
        if (gathers)
            replaceWord(line, "textureGather", "gatherTexels");
        body << line << '\n';
    }
    const bool versioned = startsWith(desktop, "#version");
    result.text = "#version 300 es\nprecision highp float;\nprecision highp int;\nprecision highp sampler2D;\n";
    if (gathers)
        result.text += kTextureGather;
    result.text += "#line " + std::to_string(versioned ? 2 : 1) + "\n" + body.str();
    return result;
}
