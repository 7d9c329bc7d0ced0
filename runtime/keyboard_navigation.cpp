#include "runtime/keyboard_navigation.h"

#include "runtime/form_reports.h"

namespace rt {

namespace {

// The first row after (or before) start, wrapping round, that accepts.
template <typename Accepts>
std::optional<Row> next_row(const FormReports& form, std::optional<Row> start, Direction direction,
                            const Accepts& accepts) {
    const Row count = form.size();
    if (count == 0) return std::nullopt;
    const bool forward = direction == Direction::Forward;
    // From outside the form, forward starts at the first row and backward at the last.
    Row at = start ? *start : (forward ? count - 1 : 0);
    for (Row step = 0; step < count; ++step) {
        at = forward ? (at + 1) % count : (at + count - 1) % count;
        if (accepts(at)) return at;
    }
    return std::nullopt;
}

} // namespace

std::optional<Row> next_tab_stop(const FormReports& form, std::optional<Row> row,
                                 Direction direction) {
    return next_row(form, row, direction, [&](Row at) {
        return form.state(at).visible && form.control(at).kind != ControlKind::Label;
    });
}

std::optional<Row> start_focus(const FormReports& form) {
    return next_tab_stop(form, std::nullopt, Direction::Forward);
}

std::optional<Row> next_option(const FormReports& form, Row row, Direction direction) {
    return next_row(form, row, direction, [&](Row at) {
        return form.state(at).visible && form.control(at).kind == ControlKind::OptionButton;
    });
}

KeyAnswer answer_key(const FormReports& form, std::optional<Row> focused, Key key, bool repeat) {
    if (key == Key::Tab || key == Key::BackTab)
        return {next_tab_stop(form, focused,
                              key == Key::Tab ? Direction::Forward : Direction::Backward),
                std::nullopt};
    if (!focused) return {};
    const ControlKind kind = form.control(*focused).kind;
    if (kind == ControlKind::TextBox) return {std::nullopt, std::nullopt, true};
    switch (key) {
    case Key::Left:
    case Key::Right:
    case Key::Up:
    case Key::Down: {
        const Direction direction =
            key == Key::Right || key == Key::Down ? Direction::Forward : Direction::Backward;
        if (kind != ControlKind::OptionButton)
            return {next_tab_stop(form, focused, direction), std::nullopt};
        const std::optional<Row> to = next_option(form, *focused, direction);
        return {to, to};
    }
    case Key::Space:
        if (repeat) return {};
        return {std::nullopt, focused};
    case Key::Tab:
    case Key::BackTab:
    case Key::Enter:
    case Key::Escape:
        break;
    }
    return {};
}

void activate(FormReports& form, Row row) {
    switch (form.control(row).kind) {
    case ControlKind::CheckBox:
        form.user_set_value(row, toggled(form.state(row).value));
        return;
    case ControlKind::OptionButton:
        form.user_set_value(row, True);
        return;
    case ControlKind::CommandButton:
        form.user_pressed(row);
        return;
    case ControlKind::Label:
    case ControlKind::TextBox:
        return;
    }
}

} // namespace rt
