#include "options_screen.h"

#include <algorithm>

#include "gamepad.h"
#include "gl.h"
#include "session.h"

namespace {

bool isValueRow(int row)
{
    return row == OptionsMenu::MasterVolume || row == OptionsMenu::MusicVolume || row == OptionsMenu::EffectsVolume ||
           row == OptionsMenu::MouseSensitivity;
}

} // namespace

OptionsScreen::OptionsScreen(const PlayerOptions& options, int windowSamples) : optionsMenu(options, windowSamples)
{
}

// Options may change elsewhere meanwhile (F11 switches fullscreen).
void OptionsScreen::startFrame(Session& session)
{
    optionsMenu.follow(session.options());
}

bool OptionsScreen::key(Session& session, const KeyEvent& event)
{
    optionsMenu.follow(session.options());
    const auto held = std::find(heldKeys.begin(), heldKeys.end(), event.key);
    if (event.action == GLFW_RELEASE) {
        if (held != heldKeys.end())
            heldKeys.erase(held);
        return true;
    }
    if (held == heldKeys.end())
        heldKeys.push_back(event.key);
    optionsMenu.keyPressed(event.key);
    afterInput(session);
    return true;
}

void OptionsScreen::pad(Session& session, const PadReading& pad)
{
    optionsMenu.follow(session.options());
    if (pad.menuUp)
        optionsMenu.up();
    if (pad.menuDown)
        optionsMenu.down();
    if (pad.menuLeft)
        optionsMenu.lower();
    if (pad.menuRight)
        optionsMenu.raise();
    if (pad.a)
        optionsMenu.activate();
    if (pad.b)
        optionsMenu.back();
    afterInput(session);
}

void OptionsScreen::pointer(Session& session, const PointerInput& pointer)
{
    optionsMenu.follow(session.options());
    const int pointed = optionsRowAt(pointer.x, pointer.y, session.width(), session.height());
    if (pointer.moved && pointed >= 0)
        optionsMenu.choose(pointed);
    for (int button : pointer.clicks) {
        if (pointed < 0 || optionsMenu.waitingForKey())
            continue;
        optionsMenu.choose(pointed);
        if (button == GLFW_MOUSE_BUTTON_RIGHT)
            optionsMenu.lower();
        else if (isValueRow(pointed))
            optionsMenu.raise();
        else
            optionsMenu.activate();
    }
    afterInput(session);
}

void OptionsScreen::items(const Session& session, std::vector<ScreenItem>& items) const
{
    optionsScreenItems(optionsMenu, session.width(), session.height(), items);
}

void OptionsScreen::afterInput(Session& session)
{
    if (optionsMenu.options() != session.options())
        session.changeOptions(optionsMenu.options());
    if (!optionsMenu.closed())
        return;
    session.keepReleasesOf(heldKeys);
    session.close(*this);
}

OptionsRowPlace optionsRowPlace(int row, int width, int height)
{
    // The text shrinks with a low window, so every row fits from 600 pixels up.
    const int size = std::clamp(height / 32, 12, 24);
    const int step = size * 3 / 2;
    const int top = height - 5 * size;
    OptionsRowPlace place{};
    place.size = size;
    if (row < OptionsMenu::kSettingRows) {
        place.labelX = width * 6 / 100;
        place.valueX = width * 34 / 100;
        place.y = top - row * step;
    } else if (row < OptionsMenu::Back) {
        place.labelX = width * 53 / 100;
        place.valueX = width * 80 / 100;
        place.y = top - (row - OptionsMenu::FirstKey) * step;
    } else {
        place.labelX = width / 2 - 2 * size;
        place.valueX = place.labelX;
        place.y = top - (kActionCount + 1) * step;
    }
    place.left = place.labelX - size;
    place.right = place.valueX + 6 * size;
    return place;
}

int optionsRowAt(float x, float y, int width, int height)
{
    for (int row = 0; row < OptionsMenu::RowCount; ++row) {
        const OptionsRowPlace place = optionsRowPlace(row, width, height);
        if (x >= static_cast<float>(place.left) && x < static_cast<float>(place.right) &&
            y >= static_cast<float>(place.y) && y < static_cast<float>(place.y + place.size))
            return row;
    }
    return -1;
}

void optionsScreenItems(const OptionsMenu& menu, int width, int height, std::vector<ScreenItem>& items)
{
    ItemWriter write(items);
    write.panel(PanelId::PauseBackground, 0, 0, width, height);
    const int size = optionsRowPlace(0, width, height).size;
    write.text("Options", width / 2, height - 3 * size, 2 * size, true);
    for (int row = 0; row < OptionsMenu::RowCount; ++row) {
        const OptionsRowPlace place = optionsRowPlace(row, width, height);
        if (row == menu.chosen())
            write.text(">", place.labelX - size, place.y, place.size, false);
        write.text(place.labelX, place.y, place.size, false).assign(menu.label(row));
        if (row != OptionsMenu::Back)
            write.text(place.valueX, place.y, place.size, false).assign(menu.value(row));
    }
    if (!menu.message().empty())
        write.text(width / 2, size, size, true).assign(menu.message());
}
