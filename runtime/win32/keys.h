#pragma once

#include "runtime/keyboard_navigation.h"

#include <windows.h>

#include <optional>

namespace rt {

// The runtime's key for a virtual key pressed, with Shift held or not, if it
// is one of them.
std::optional<Key> runtime_key(WPARAM virtual_key, bool shift);

} // namespace rt
