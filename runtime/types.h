#pragma once

#include <cstddef>
#include <cstdint>

namespace rt {

// Position of a member within its control array, counted from 0.
using Index = std::int16_t;

// Boolean property values are 16 bits wide: True is -1, False is 0.
using Boolean = std::int16_t;
inline constexpr Boolean True = -1;
inline constexpr Boolean False = 0;

// The states a check box's Value takes. Only Checked counts as chosen.
inline constexpr std::int16_t Unchecked = 0;
inline constexpr std::int16_t Checked = 1;
inline constexpr std::int16_t Grayed = 2;

// What a click makes of a check box's Value: checked becomes unchecked, and
// anything else, grayed included, becomes checked.
constexpr std::int16_t toggled(std::int16_t value) {
    return value == Checked ? Unchecked : Checked;
}

// A control's place in the form's definition: its row, which is also its
// creation and tab order.
using Row = std::size_t;

// A colour stored as 0x00BBGGRR: red in the lowest byte.
struct Colour {
    std::uint32_t bgr;

    constexpr int red() const { return static_cast<int>(bgr & 0xFFu); }
    constexpr int green() const { return static_cast<int>((bgr >> 8) & 0xFFu); }
    constexpr int blue() const { return static_cast<int>((bgr >> 16) & 0xFFu); }
    friend constexpr bool operator==(Colour, Colour) = default;
};

} // namespace rt
