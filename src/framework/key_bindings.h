#pragma once

#include <array>
#include <optional>
#include <string>

// The game actions the player may put on keys of their own choosing.
enum class Action { Forward, Backward, Left, Right, Jump, DropAll, Quit, PlayAgain, BestRun, Mute };
inline constexpr int kActionCount = static_cast<int>(Action::Mute) + 1;

// "forward", "drop_all", ...: the action's key in the options file's [keys] section.
const char* actionName(Action action);
// "Forward", "Drop all", ...: as the options screen shows it.
const char* actionLabel(Action action);

// The key of each action: W, S, A, D, Space, 2, Q, R, B and M unless the player chose others.
// No key ever does two actions.
class KeyBindings {
public:
    KeyBindings();

    int keyOf(Action action) const { return keys[static_cast<size_t>(action)]; }
    std::optional<Action> actionOf(int key) const;

    // Puts `action` on `key`. A key another action had is swapped: that action takes this one's
    // old key. A key with a meaning of its own (Escape, F1, O, ...) is refused. Returns what
    // happened in words for the player, or nothing when the key was simply free.
    std::optional<std::string> bind(Action action, int key);

private:
    std::array<int, kActionCount> keys;
};

// The key's name as the options file and the screen write it ("Space", "J", "Left Shift"), or
// an empty string for a key the game has no name for.
std::string keyName(int key);
// The key with that name, ignoring case and blanks around it; nothing for a name the game does
// not know.
std::optional<int> keyFromName(const std::string& name);

// What a key with a meaning of its own does ("opens the options"), or nothing for a key the
// player may bind.
std::optional<std::string> fixedKeyUse(int key);
