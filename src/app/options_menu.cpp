#include "options_menu.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "gl.h"

namespace {

constexpr int kVolumeStep = 10;
constexpr float kSensitivityStep = 0.1f;

Action actionOfRow(int row)
{
    return static_cast<Action>(row - OptionsMenu::FirstKey);
}

bool isKeyRow(int row)
{
    return row >= OptionsMenu::FirstKey && row < OptionsMenu::Back;
}

const char* onOff(bool value)
{
    return value ? "On" : "Off";
}

} // namespace

OptionsMenu::OptionsMenu(const PlayerOptions& options, int samples) : current(options), windowSamples(samples)
{
}

void OptionsMenu::up()
{
    chosenRow = (chosenRow + RowCount - 1) % RowCount;
}

void OptionsMenu::down()
{
    chosenRow = (chosenRow + 1) % RowCount;
}

void OptionsMenu::choose(int row)
{
    if (row >= 0 && row < RowCount && !waiting)
        chosenRow = row;
}

void OptionsMenu::lower()
{
    step(-1);
}

void OptionsMenu::raise()
{
    step(1);
}

void OptionsMenu::step(int direction)
{
    said.clear();
    const auto volume = [&](int& value) { value = std::clamp(value + direction * kVolumeStep, 0, 100); };
    switch (chosenRow) {
    case MasterVolume:
        volume(current.audio.master);
        break;
    case MusicVolume:
        volume(current.audio.music);
        break;
    case EffectsVolume:
        volume(current.audio.effects);
        break;
    case MouseSensitivity: {
        // Tenths exactly, so the file holds 1.3 and not 1.29999.
        const float tenths = std::round(current.input.mouseSensitivity * 10.0f) + static_cast<float>(direction);
        current.input.mouseSensitivity =
            std::clamp(tenths * kSensitivityStep, kLeastMouseSensitivity, kMostMouseSensitivity);
        break;
    }
    case GraphicsQuality:
        stepQuality(direction);
        break;
    case TextSize:
        stepTextSize(direction, false);
        break;
    case InvertMouseY:
    case Fullscreen:
    case PauseOnFocusLoss:
    case ShowFrameRate:
    case Ghost:
        activate();
        break;
    default:
        break;
    }
}

void OptionsMenu::stepQuality(int direction)
{
    const int next = std::clamp(static_cast<int>(current.video.quality) + direction, static_cast<int>(Quality::Low),
                                static_cast<int>(Quality::High));
    current.video.quality = static_cast<Quality>(next);
    if (presetOf(current.video.quality).samples != windowSamples)
        said = "The window's multisampling changes at the next start";
}

void OptionsMenu::stepTextSize(int direction, bool roundTheEnds)
{
    const int count = static_cast<int>(std::size(kTextSizes));
    int at = 0;
    while (at < count && kTextSizes[at] != current.video.textSize)
        ++at;
    at += direction;
    if (roundTheEnds)
        at = (at + count) % count;
    current.video.textSize = kTextSizes[std::clamp(at, 0, count - 1)];
}

void OptionsMenu::activate()
{
    said.clear();
    switch (chosenRow) {
    case InvertMouseY:
        current.input.invertMouseY = !current.input.invertMouseY;
        break;
    case Fullscreen:
        current.video.fullscreen = !current.video.fullscreen;
        break;
    case GraphicsQuality:
        // Round from High to Low again.
        stepQuality(current.video.quality == Quality::High ? -2 : 1);
        break;
    case PauseOnFocusLoss:
        current.input.pauseOnFocusLoss = !current.input.pauseOnFocusLoss;
        break;
    case ShowFrameRate:
        current.video.showFps = !current.video.showFps;
        break;
    case Ghost:
        current.video.ghost = !current.video.ghost;
        break;
    case TextSize:
        stepTextSize(1, true);
        break;
    case Back:
        done = true;
        break;
    default:
        if (isKeyRow(chosenRow)) {
            waiting = true;
            said = std::string("Press the new key for ") + actionLabel(actionOfRow(chosenRow)) + ", or Escape";
        }
        break;
    }
}

void OptionsMenu::back()
{
    said.clear();
    if (waiting)
        waiting = false;
    else
        done = true;
}

void OptionsMenu::keyPressed(int key)
{
    if (waiting && key != GLFW_KEY_ESCAPE) {
        waiting = false;
        said = current.keys.bind(actionOfRow(chosenRow), key).value_or("");
        return;
    }
    switch (key) {
    case GLFW_KEY_UP:
        up();
        break;
    case GLFW_KEY_DOWN:
        down();
        break;
    case GLFW_KEY_LEFT:
        lower();
        break;
    case GLFW_KEY_RIGHT:
        raise();
        break;
    case GLFW_KEY_ENTER:
    case GLFW_KEY_KP_ENTER:
        activate();
        break;
    case GLFW_KEY_ESCAPE:
        back();
        break;
    default:
        break;
    }
}

std::string OptionsMenu::label(int row) const
{
    switch (row) {
    case MasterVolume:
        return "Master volume";
    case MusicVolume:
        return "Music volume";
    case EffectsVolume:
        return "Effects volume";
    case MouseSensitivity:
        return "Mouse sensitivity";
    case InvertMouseY:
        return "Invert mouse Y";
    case Fullscreen:
        return "Fullscreen";
    case GraphicsQuality:
        return "Graphics quality";
    case PauseOnFocusLoss:
        return "Pause when unfocused";
    case ShowFrameRate:
        return "Frame rate in title";
    case Ghost:
        return "Ghost of a run";
    case TextSize:
        return "Text size";
    case Back:
        return "Back";
    default:
        return isKeyRow(row) ? actionLabel(actionOfRow(row)) : "";
    }
}

std::string OptionsMenu::value(int row) const
{
    switch (row) {
    case MasterVolume:
        return std::to_string(current.audio.master);
    case MusicVolume:
        return std::to_string(current.audio.music);
    case EffectsVolume:
        return std::to_string(current.audio.effects);
    case MouseSensitivity: {
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", static_cast<double>(current.input.mouseSensitivity));
        return text;
    }
    case InvertMouseY:
        return onOff(current.input.invertMouseY);
    case Fullscreen:
        return onOff(current.video.fullscreen);
    case GraphicsQuality:
        return qualityLabel(current.video.quality);
    case PauseOnFocusLoss:
        return onOff(current.input.pauseOnFocusLoss);
    case ShowFrameRate:
        return onOff(current.video.showFps);
    case Ghost:
        return onOff(current.video.ghost);
    case TextSize:
        return std::to_string(current.video.textSize) + " %";
    default:
        if (!isKeyRow(row))
            return "";
        return waiting && row == chosenRow ? "..." : keyName(current.keys.keyOf(actionOfRow(row)));
    }
}
