#pragma once

#include <cstddef>
#include <stdexcept>
#include <utility>

namespace probe {

// The keys a person presses in the tests: those the runtime gives a meaning
// to, and the text box's editing keys (Ctrl+V pastes, Ctrl+X cuts). Each
// probe looks a key up by name in a table of its own, never by its place in
// this list.
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
    Cut
};
constexpr int key_count = static_cast<int>(Key::Cut) + 1; // Cut stays last

// A probe's table of what it sends for each key.
template <typename Stroke, std::size_t N> using KeyTable = std::pair<Key, Stroke>[N];

// Whether the table has one row for every key, no more: each probe asserts
// it at compile time.
template <typename Stroke, std::size_t N>
constexpr bool covers_every_key(const KeyTable<Stroke, N>& table) {
    for (int key = 0; key < key_count; ++key) {
        int rows = 0;
        for (const auto& row : table) rows += row.first == static_cast<Key>(key);
        if (rows != 1) return false;
    }
    return N == key_count;
}

template <typename Stroke, std::size_t N>
const Stroke& look_up(const KeyTable<Stroke, N>& table, Key key) {
    for (const auto& [name, stroke] : table)
        if (name == key) return stroke;
    throw std::logic_error("a key missing from a probe's table");
}

} // namespace probe
