#include "runtime/web/keys.h"

#include <array>
#include <string>

namespace rt::web {

namespace {

struct PageKey {
    std::string_view name;
    Key key;
};

// Shift+Tab is Tab with Shift held (runtime_key).
constexpr std::array<PageKey, 8> page_keys{{
    {"Tab", Key::Tab},
    {"ArrowLeft", Key::Left},
    {"ArrowRight", Key::Right},
    {"ArrowUp", Key::Up},
    {"ArrowDown", Key::Down},
    {" ", Key::Space},
    {"Enter", Key::Enter},
    {"Escape", Key::Escape},
}};

} // namespace

std::string_view key_names() {
    static const std::string names = [] {
        std::string joined;
        for (const PageKey& key : page_keys) joined += std::string(key.name) + "\n";
        return joined;
    }();
    return names;
}

std::optional<Key> runtime_key(int place, bool shift) {
    if (place < 0 || static_cast<std::size_t>(place) >= page_keys.size()) return std::nullopt;
    const Key key = page_keys[static_cast<std::size_t>(place)].key;
    return key == Key::Tab && shift ? Key::BackTab : key;
}

} // namespace rt::web
