#pragma once

#include "runtime/types.h"

#include <optional>

namespace rt {

class FormReports;

enum class Direction { Forward, Backward };

// The keys the window gives a meaning to. A backend translates its own key
// presses to these, without Ctrl or Alt held, and carries out the answer;
// every other key is the focused control's own.
enum class Key { Tab, BackTab, Left, Right, Up, Down, Space, Enter, Escape };

// What a key does. When to_text_box is set the key belongs to the focused
// text box, which moves its caret or edits as it does with any key.
// Otherwise the window takes the key: the focus moves to `focus`, if any,
// then `activate`, if any, does what a click on it does (see activate());
// with neither, the key does nothing at all.
struct KeyAnswer {
    std::optional<Row> focus;
    std::optional<Row> activate;
    bool to_text_box = false;

    friend bool operator==(const KeyAnswer&, const KeyAnswer&) = default;
};

// The one keyboard of every backend, pressed with the focus on `focused`, or
// on no control:
// - Tab and Shift+Tab move the focus in tab order (next_tab_stop).
// - On an option button, each arrow moves to the next option button
//   (Right and Down) or the one before (Left and Up), wrapping round, and
//   chooses it.
// - On a check box or command button an arrow moves the focus as Tab
//   (Right and Down) or Shift+Tab (Left and Up) does, choosing nothing, as
//   the arrows step between the controls of a desktop form.
// - Space does what a click does to the focused button or box.
// - Enter and Escape do nothing: the form has no default or cancel button.
// - In a text box every key but Tab and Shift+Tab is the box's own.
// - A key held down repeats (repeat is set on the repeats): Space acts once
//   however long it is held, so its repeats do nothing outside a text box.
KeyAnswer answer_key(const FormReports& form, std::optional<Row> focused, Key key,
                     bool repeat = false);

// What a click, Space or an arrow key that lands on it does to a control:
// a check box toggles (toggled()), an option button is chosen, a command
// button is pressed; a label or text box is left as it is.
void activate(FormReports& form, Row row);

// The control that Tab (forward) or Shift+Tab (backward) moves the focus to
// from row, or from outside the form when row is empty: the next visible
// control in row order, wrapping round, that takes the focus. Every option
// button is a stop of its own.
std::optional<Row> next_tab_stop(const FormReports& form, std::optional<Row> row,
                                 Direction direction);

// Where the focus goes when the window has it and no control does: at start,
// and when the window comes back without the control that had it.
std::optional<Row> start_focus(const FormReports& form);

// The option button an arrow key moves to, and chooses, from option button
// row: the next visible one in row order, wrapping round.
std::optional<Row> next_option(const FormReports& form, Row row, Direction direction);

} // namespace rt
