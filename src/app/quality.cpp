#include "quality.h"

#include <algorithm>
#include <cctype>

namespace {

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

} // namespace

const char* qualityName(Quality quality)
{
    switch (quality) {
    case Quality::Low:
        return "low";
    case Quality::Medium:
        return "medium";
    case Quality::High:
        break;
    }
    return "high";
}

const char* qualityLabel(Quality quality)
{
    switch (quality) {
    case Quality::Low:
        return "Low";
    case Quality::Medium:
        return "Medium";
    case Quality::High:
        break;
    }
    return "High";
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
