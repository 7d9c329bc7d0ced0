#pragma once

#include "runtime/form_definition.h"
#include "runtime/types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The window's elements in the page, made and written from C++. Only the
// web backend calls these.
namespace rt::web {

// A new window in the page, hidden, in place of any window before it.
void make_window(const WindowDefinition& window);
// The element of the control at row, after those of the rows before it, so
// that the page's order is the tab order.
void add_control(Row row, const ControlDefinition& control, bool heading);
// Shows the window with the focus on the control at row, if any.
void show_window(std::optional<Row> focus);
void hide_window();
void remove_window();

void set_text(Row row, std::string_view text);
void set_value(Row row, std::int16_t value);
void set_visible(Row row, bool visible);
bool checked(Row row);
std::string text(Row row);

// A modal message over the page, which the user closes.
void show_message(std::string_view title, std::string_view text);

} // namespace rt::web
