#pragma once

#include "runtime/types.h"

#include <optional>

namespace rt {

class Form;

enum class Direction { Forward, Backward };

// The control that Tab (forward) or Shift+Tab (backward) moves the focus to
// from row, or from outside the form when row is empty: the next visible
// control in row order, wrapping round, that takes the focus. Every option
// button is a stop of its own.
std::optional<Row> next_tab_stop(const Form& form, std::optional<Row> row, Direction direction);

// The option button an arrow key moves to, and chooses, from option button
// row: the next visible one in row order, wrapping round.
std::optional<Row> next_option(const Form& form, Row row, Direction direction);

} // namespace rt
