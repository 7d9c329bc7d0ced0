#pragma once

#include "runtime/check_mark.h"
#include "runtime/types.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The window's elements in the page, written and read from C++. Only the
// web backend calls these.
namespace rt::web {

// Takes the page's own window, the one its HTML shows from the first byte,
// the first time; otherwise a new window from markup (window_markup), in
// place of any window before it. Its children are the rows' elements.
void make_window(std::string_view markup, std::string_view caption);
void show_window();
// The control that has the page's focus, if any.
std::optional<Row> focus();
void set_focus(Row row);
void hide_window();
void remove_window();

void set_text(Row row, std::string_view text);
// Shows a check box's or option button's Value as its mark.
void set_value(Row row, std::int16_t value);
void set_visible(Row row, bool visible);
// Writes text into the window's polite live region.
void announce(std::string_view text);
// The mark a check box or option button shows, set or clear.
Mark mark(Row row);
std::string text(Row row);

// What the person did to the page's own window before the program took it:
// the changes a control shows, in row order, then the presses of command
// buttons in the order made. Taking a change puts the control back as the
// person left it, for the backend to read and report.
struct EarlyInput {
    Row row;
    bool press;
};
std::size_t early_input_count();
EarlyInput take_early_input(std::size_t i);

// A modal message over the page, which the user closes.
void show_message(std::string_view title, std::string_view text);

} // namespace rt::web
