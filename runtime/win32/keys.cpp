#include "runtime/win32/keys.h"

namespace rt {

std::optional<Key> runtime_key(WPARAM virtual_key, bool shift) {
    switch (virtual_key) {
    case VK_TAB:
        return shift ? Key::BackTab : Key::Tab;
    case VK_LEFT:
        return Key::Left;
    case VK_RIGHT:
        return Key::Right;
    case VK_UP:
        return Key::Up;
    case VK_DOWN:
        return Key::Down;
    case VK_SPACE:
        return Key::Space;
    case VK_RETURN:
        return Key::Enter;
    case VK_ESCAPE:
        return Key::Escape;
    default:
        return std::nullopt;
    }
}

} // namespace rt
