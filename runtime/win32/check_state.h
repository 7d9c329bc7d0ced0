#pragma once

#include "runtime/check_mark.h"

#include <windows.h>

#include <cstdint>

namespace rt {

// A button's check state (BM_SETCHECK, BM_GETCHECK) for a check box's or
// option button's Value, and the mark that a check state shows.
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

inline Mark mark_of_check(WPARAM state) {
    if (state == BST_CHECKED) return Mark::Set;
    return state == BST_INDETERMINATE ? Mark::Mixed : Mark::Clear;
}

} // namespace rt
