#include "runtime/headless/headless_backend.h"

#include "runtime/form_reports.h"

namespace rt {

std::unique_ptr<Backend> make_backend(const Project&) {
    return std::make_unique<HeadlessBackend>();
}

void HeadlessBackend::create(FormReports& form) {
    m_form = &form;
    m_widgets.clear();
    for (Row row = 0; row < form.size(); ++row) {
        const ControlDefinition& control = form.control(row);
        const ControlState& state = form.state(row);
        m_widgets.push_back({control.kind, to_pixels(control.rect, standard_dpi), state.text,
                             state.value, state.visible, control.locked});
    }
}

void HeadlessBackend::show() {
    m_shown = true;
}

// There is no one to close the window: the loop ends at once, with the status
// that end() left, or 0 as when the user closes it.
int HeadlessBackend::run() {
    return m_end_status.value_or(0);
}

void HeadlessBackend::set_text(Row row, std::string_view text) {
    m_widgets.at(row).text = text;
}

void HeadlessBackend::set_value(Row row, std::int16_t value) {
    m_widgets.at(row).value = value;
}

void HeadlessBackend::set_visible(Row row, bool visible) {
    m_widgets.at(row).visible = visible;
}

std::optional<Row> HeadlessBackend::focus() const {
    return m_focus;
}

void HeadlessBackend::set_focus(Row row) {
    m_focus = row;
}

void HeadlessBackend::announce(Row row, std::string_view text) {
    m_announcements.emplace_back(row, std::string(text));
}

void HeadlessBackend::report_error(std::string_view title, std::string_view report) {
    m_reports.push_back(std::string(title) + ": " + std::string(report));
}

void HeadlessBackend::end(int status) {
    m_shown = false;
    m_end_status = status;
}

// Later controls lie above earlier ones, so the last visible one under the
// point takes the click, and the focus unless it is a label.
void HeadlessBackend::click_at(int x, int y) {
    if (!m_shown) return;
    for (Row row = m_widgets.size(); row-- > 0;) {
        const Widget& widget = m_widgets[row];
        if (!widget.visible || !widget.rect.contains(x, y)) continue;
        if (widget.kind != ControlKind::Label) m_focus = row;
        m_form->user_clicked(row);
        return;
    }
}

void HeadlessBackend::click(Row row) {
    const PixelRect& rect = m_widgets.at(row).rect;
    click_at(rect.left + rect.width / 2, rect.top + rect.height / 2);
}

// The action reaches the runtime even for a hidden control, as a toolkit's
// actions may: the runtime is what refuses it.
void HeadlessBackend::act(Row row) {
    if (m_shown) m_form->user_clicked(row);
}

// The runtime's answer, carried out. A text box takes only Space, which it
// appends as typing does.
void HeadlessBackend::press(Key key, bool repeat) {
    if (!m_shown) return;
    const KeyAnswer answer = answer_key(*m_form, m_focus, key, repeat);
    if (answer.to_text_box) {
        if (key == Key::Space) type(" ");
        return;
    }
    if (answer.focus) m_focus = answer.focus;
    if (answer.activate) activate(*m_form, *answer.activate);
}

void HeadlessBackend::type(std::string_view text) {
    if (!m_shown || !m_focus) return;
    const Widget& widget = m_widgets[*m_focus];
    if (widget.kind != ControlKind::TextBox || widget.locked) return;
    m_form->user_set_text(*m_focus, widget.text + std::string(text));
}

void HeadlessBackend::type(Row row, std::string_view text) {
    if (!m_widgets.at(row).visible) return;
    m_focus = row;
    type(text);
}

void HeadlessBackend::close() {
    m_shown = false;
    if (!m_end_status) m_end_status = 0;
}

} // namespace rt
