#pragma once

#include "runtime/form_definition.h"

namespace quenlor {

// The program's title, used in its window caption and its error reports.
inline constexpr std::string_view title = "Quenlor";

// The name desktops know the program by: its desktop entry is
// example.quenlor.quenlor.desktop, and its window's app id and class.
inline constexpr std::string_view desktop_id = "example.quenlor.quenlor";

// The form's controls, one row each, in creation and tab order.
std::span<const rt::ControlDefinition> controls();

// The program's only form, which is also its start-up form.
const rt::FormDefinition& form();

rt::Project project();

} // namespace quenlor
