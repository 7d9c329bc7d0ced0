#pragma once

#include "runtime/keyboard_navigation.h"

#include <optional>
#include <string_view>

namespace rt::web {

// The keys the page hands the runtime, by the names its key events give them
// (KeyboardEvent.key), one a line. The page's listener reports a key by its
// place in this list, so that the runtime's numbering never reaches the page.
std::string_view key_names();

// The runtime's key for the key at place in key_names(), with Shift held or
// not, if it is one.
std::optional<Key> runtime_key(int place, bool shift);

} // namespace rt::web
