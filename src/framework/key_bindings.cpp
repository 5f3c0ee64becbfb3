#include "key_bindings.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "gl.h"

namespace {

struct NamedKey {
    int key;
    const char* name;
};

// Every key the game can name, beyond the letters, the digits and the function keys.
constexpr NamedKey kNamedKeys[] = {
    {GLFW_KEY_SPACE, "Space"},
    {GLFW_KEY_APOSTROPHE, "Apostrophe"},
    {GLFW_KEY_COMMA, "Comma"},
    {GLFW_KEY_MINUS, "Minus"},
    {GLFW_KEY_PERIOD, "Period"},
    {GLFW_KEY_SLASH, "Slash"},
    {GLFW_KEY_SEMICOLON, "Semicolon"},
    {GLFW_KEY_EQUAL, "Equal"},
    {GLFW_KEY_LEFT_BRACKET, "Left Bracket"},
    {GLFW_KEY_BACKSLASH, "Backslash"},
    {GLFW_KEY_RIGHT_BRACKET, "Right Bracket"},
    {GLFW_KEY_GRAVE_ACCENT, "Grave"},
    {GLFW_KEY_ESCAPE, "Escape"},
    {GLFW_KEY_ENTER, "Enter"},
    {GLFW_KEY_TAB, "Tab"},
    {GLFW_KEY_BACKSPACE, "Backspace"},
    {GLFW_KEY_INSERT, "Insert"},
    {GLFW_KEY_DELETE, "Delete"},
    {GLFW_KEY_RIGHT, "Right"},
    {GLFW_KEY_LEFT, "Left"},
    {GLFW_KEY_DOWN, "Down"},
    {GLFW_KEY_UP, "Up"},
    {GLFW_KEY_PAGE_UP, "Page Up"},
    {GLFW_KEY_PAGE_DOWN, "Page Down"},
    {GLFW_KEY_HOME, "Home"},
    {GLFW_KEY_END, "End"},
    {GLFW_KEY_CAPS_LOCK, "Caps Lock"},
    {GLFW_KEY_KP_ENTER, "Keypad Enter"},
    {GLFW_KEY_KP_ADD, "Keypad Plus"},
    {GLFW_KEY_KP_SUBTRACT, "Keypad Minus"},
    {GLFW_KEY_LEFT_SHIFT, "Left Shift"},
    {GLFW_KEY_LEFT_CONTROL, "Left Ctrl"},
    {GLFW_KEY_LEFT_ALT, "Left Alt"},
    {GLFW_KEY_RIGHT_SHIFT, "Right Shift"},
    {GLFW_KEY_RIGHT_CONTROL, "Right Ctrl"},
    {GLFW_KEY_RIGHT_ALT, "Right Alt"},
};

struct ActionNames {
    const char* name;
    const char* label;
    int key;
};

constexpr ActionNames kActions[kActionCount] = {
    {"forward", "Forward", GLFW_KEY_W},
    {"backward", "Backward", GLFW_KEY_S},
    {"left", "Left", GLFW_KEY_A},
    {"right", "Right", GLFW_KEY_D},
    {"jump", "Jump", GLFW_KEY_SPACE},
    {"drop_all", "Drop all", GLFW_KEY_2},
    {"quit", "Quit", GLFW_KEY_Q},
    {"play_again", "Play again", GLFW_KEY_R},
    {"best_run", "Watch best run", GLFW_KEY_B},
    {"mute", "Mute", GLFW_KEY_M},
};

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

} // namespace

const char* actionName(Action action)
{
    return kActions[static_cast<size_t>(action)].name;
}

const char* actionLabel(Action action)
{
    return kActions[static_cast<size_t>(action)].label;
}

KeyBindings::KeyBindings()
{
    for (int i = 0; i < kActionCount; ++i)
        keys[static_cast<size_t>(i)] = kActions[i].key;
}

std::optional<Action> KeyBindings::actionOf(int key) const
{
    const auto found = std::find(keys.begin(), keys.end(), key);
    if (found == keys.end())
        return std::nullopt;
    return static_cast<Action>(found - keys.begin());
}

std::optional<std::string> KeyBindings::bind(Action action, int key)
{
    if (const std::optional<std::string> use = fixedKeyUse(key))
        return keyName(key) + " " + *use + ": choose another key";
    int& own = keys[static_cast<size_t>(action)];
    const std::optional<Action> holder = actionOf(key);
    if (!holder || *holder == action) {
        own = key;
        return std::nullopt;
    }
    keys[static_cast<size_t>(*holder)] = own;
    own = key;
    return keyName(key) + " was " + actionLabel(*holder) + "'s key: " + actionLabel(*holder) + " now has " +
           keyName(keyOf(*holder));
}

std::string keyName(int key)
{
    if (key >= GLFW_KEY_A && key <= GLFW_KEY_Z)
        return std::string(1, static_cast<char>('A' + (key - GLFW_KEY_A)));
    if (key >= GLFW_KEY_0 && key <= GLFW_KEY_9)
        return std::string(1, static_cast<char>('0' + (key - GLFW_KEY_0)));
    if (key >= GLFW_KEY_F1 && key <= GLFW_KEY_F12)
        return "F" + std::to_string(key - GLFW_KEY_F1 + 1);
    if (key >= GLFW_KEY_KP_0 && key <= GLFW_KEY_KP_9)
        return "Keypad " + std::to_string(key - GLFW_KEY_KP_0);
    for (const NamedKey& named : kNamedKeys)
        if (named.key == key)
            return named.name;
    return "";
}

std::optional<int> keyFromName(const std::string& name)
{
    const size_t first = name.find_first_not_of(" \t");
    const size_t last = name.find_last_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    const std::string wanted = lowerCase(name.substr(first, last - first + 1));
    // Every key with a name, tried in turn: few enough for a settings file.
    for (int key = GLFW_KEY_SPACE; key <= GLFW_KEY_LAST; ++key) {
        const std::string known = keyName(key);
        if (!known.empty() && lowerCase(known) == wanted)
            return key;
    }
    return std::nullopt;
}

std::optional<std::string> fixedKeyUse(int key)
{
    switch (key) {
    case GLFW_KEY_ESCAPE:
        return "pauses the game and goes back";
    case GLFW_KEY_ENTER:
        return "chooses in the menus";
    case GLFW_KEY_F1:
        return "switches the wireframe";
    case GLFW_KEY_F2:
        return "switches back-face culling";
    case GLFW_KEY_F11:
        return "switches fullscreen";
    case GLFW_KEY_F12:
        return "saves a screenshot";
    case GLFW_KEY_N:
        return "shows the normals";
    case GLFW_KEY_T:
        return "shows the texture coordinates";
    case GLFW_KEY_O:
        return "opens the options";
    case GLFW_KEY_C:
        return "switches a replay's view";
    default:
        return std::nullopt;
    }
}
