#pragma once

namespace probe {

// The keys a person presses in the tests: those the runtime gives a meaning
// to, and the text box's editing keys (Ctrl+V pastes, Ctrl+X cuts). Each
// probe looks a key up by name, never by its place in this list.
enum class Key {
    Tab,
    BackTab,
    Left,
    Right,
    Up,
    Down,
    Space,
    Enter,
    Escape,
    Delete,
    Backspace,
    Paste,
    Cut,
};

} // namespace probe
