#pragma once

#include <windows.h>

#include <cstdint>

namespace rt {

// The button check state that shows a check box's or option button's Value.
WPARAM check_state(std::int16_t value);

} // namespace rt
