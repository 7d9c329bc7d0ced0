#pragma once

#include "runtime/check_mark.h"

#include <windows.h>

#include <cstdint>

namespace rt {

// A button's check state (BM_SETCHECK, BM_GETCHECK) for a check box's or
// option button's Value, and back.
inline WPARAM check_state(std::int16_t value) {
    switch (mark_of(value)) {
    case Mark::Set:
        return BST_CHECKED;
    case Mark::Mixed:
        return BST_INDETERMINATE;
    case Mark::Clear:
        break;
    }
    return BST_UNCHECKED;
}

inline std::int16_t value_of(ControlKind kind, WPARAM state) {
    if (state == BST_CHECKED) return value_of(kind, Mark::Set);
    return value_of(kind, state == BST_INDETERMINATE ? Mark::Mixed : Mark::Clear);
}

} // namespace rt
