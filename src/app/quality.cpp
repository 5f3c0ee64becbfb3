#include "quality.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// Indexed by Quality: the options file's word and the options screen's.
struct QualityWords {
    const char* name;
    const char* label;
};
constexpr std::array<QualityWords, 3> kQualityWords{{{"low", "Low"}, {"medium", "Medium"}, {"high", "High"}}};

} // namespace

const char* qualityName(Quality quality)
{
    return kQualityWords.at(static_cast<size_t>(quality)).name;
}

const char* qualityLabel(Quality quality)
{
    return kQualityWords.at(static_cast<size_t>(quality)).label;
}

std::optional<Quality> qualityFromName(const std::string& name)
{
    const std::string wanted = lowerCase(name);
    for (Quality quality : {Quality::Low, Quality::Medium, Quality::High})
        if (wanted == qualityName(quality))
            return quality;
    return std::nullopt;
}

QualityPreset presetOf(Quality quality)
{
    switch (quality) {
    case Quality::Low:
        return {false, 0, 0.5f, 0.25f};
    case Quality::Medium:
        return {false, 4, 0.75f, 0.5f};
    case Quality::High:
        break;
    }
    return {true, 4, 1.0f, 1.0f};
}

bool isSoftwareRenderer(const std::string& renderer)
{
    const std::string name = lowerCase(renderer);
    for (const char* software : {"llvmpipe", "softpipe", "swiftshader", "microsoft basic render", "gdi generic"})
        if (name.find(software) != std::string::npos)
            return true;
    return false;
}
