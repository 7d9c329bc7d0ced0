#include "runtime/keyboard_navigation.h"

#include "runtime/form.h"

namespace rt {

namespace {

// The first row after (or before) start, wrapping round, that accepts.
template <typename Accepts>
std::optional<Row> next_row(const Form& form, std::optional<Row> start, Direction direction,
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

std::optional<Row> next_tab_stop(const Form& form, std::optional<Row> row, Direction direction) {
    return next_row(form, row, direction, [&](Row at) {
        return form.state(at).visible && form.control(at).kind != ControlKind::Label;
    });
}

std::optional<Row> next_option(const Form& form, Row row, Direction direction) {
    return next_row(form, row, direction, [&](Row at) {
        return form.state(at).visible && form.control(at).kind == ControlKind::OptionButton;
    });
}

} // namespace rt
