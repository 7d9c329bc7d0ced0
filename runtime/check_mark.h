#pragma once

#include "runtime/form_definition.h"
#include "runtime/types.h"

#include <cstdint>

namespace rt {

// What a check box or option button shows of its Value: its mark clear, set,
// or, for a check box's Grayed alone, mixed. The toolkits' three states.
enum class Mark { Clear, Set, Mixed };

// An option button's Value is True or False; a check box's one of
// Unchecked, Checked and Grayed.
constexpr Mark mark_of(std::int16_t value) {
    if (value == Grayed) return Mark::Mixed;
    return value == False ? Mark::Clear : Mark::Set;
}

constexpr std::int16_t value_of(ControlKind kind, Mark mark) {
    if (kind == ControlKind::OptionButton) return mark == Mark::Set ? True : False;
    if (mark == Mark::Mixed) return Grayed;
    return mark == Mark::Set ? Checked : Unchecked;
}

} // namespace rt
