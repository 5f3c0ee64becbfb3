#include "options_screen.h"

#include <algorithm>

#include "screens.h"

namespace {

bool isValueRow(int row)
{
    return row == OptionsMenu::MasterVolume || row == OptionsMenu::MusicVolume || row == OptionsMenu::EffectsVolume ||
           row == OptionsMenu::MouseSensitivity;
}

} // namespace

std::vector<KeyEvent> workOptionsMenu(OptionsMenu& menu, WindowInput& input, const PadReading& pad, float scale,
                                      int width, int height)
{
    std::vector<KeyEvent> after;
    std::vector<int>& held = input.menuHeldKeys;
    for (const KeyEvent& event : input.menuKeys) {
        const auto heldKey = std::find(held.begin(), held.end(), event.key);
        if (event.action == GLFW_RELEASE && heldKey != held.end()) {
            held.erase(heldKey);
        } else if (menu.closed()) {
            after.push_back(event);
        } else if (event.action != GLFW_RELEASE) {
            if (heldKey == held.end())
                held.push_back(event.key);
            menu.keyPressed(event.key);
        }
    }
    input.menuKeys.clear();

    const float x = static_cast<float>(input.pointerX) * scale;
    const float y = static_cast<float>(height) - static_cast<float>(input.pointerY) * scale;
    const int pointed = optionsRowAt(x, y, width, height);
    if (input.pointerMoved && pointed >= 0)
        menu.choose(pointed);
    input.pointerMoved = false;
    for (int button : input.clicks) {
        if (pointed < 0 || menu.waitingForKey())
            continue;
        menu.choose(pointed);
        if (button == GLFW_MOUSE_BUTTON_RIGHT)
            menu.lower();
        else if (isValueRow(pointed))
            menu.raise();
        else
            menu.activate();
    }
    input.clicks.clear();

    if (pad.menuUp)
        menu.up();
    if (pad.menuDown)
        menu.down();
    if (pad.menuLeft)
        menu.lower();
    if (pad.menuRight)
        menu.raise();
    if (pad.a)
        menu.activate();
    if (pad.b)
        menu.back();
    return after;
}
