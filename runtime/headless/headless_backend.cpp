#include "runtime/headless/headless_backend.h"

#include "runtime/form.h"

namespace rt {

std::unique_ptr<Backend> make_backend() {
    return std::make_unique<HeadlessBackend>();
}

void HeadlessBackend::create(Form& form) {
    m_form = &form;
    m_widgets.clear();
    for (Row row = 0; row < form.size(); ++row) {
        const ControlDefinition& control = form.control(row);
        const ControlState& state = form.state(row);
        m_widgets.push_back({control.kind, to_pixels(control.rect, standard_dpi), state.text,
                             state.value, state.visible, control.locked});
    }
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

void HeadlessBackend::report_error(std::string_view title, std::string_view report) {
    m_reports.push_back(std::string(title) + ": " + std::string(report));
}

void HeadlessBackend::end(int status) {
    m_shown = false;
    m_end_status = status;
}

// Later controls lie above earlier ones, so the last visible one under the
// point takes the click.
void HeadlessBackend::click_at(int x, int y) {
    if (!m_shown) return;
    for (Row row = m_widgets.size(); row-- > 0;) {
        Widget& widget = m_widgets[row];
        if (!widget.visible || !widget.rect.contains(x, y)) continue;
        switch (widget.kind) {
        case ControlKind::CheckBox:
            m_form->user_set_value(row, toggled(widget.value));
            break;
        case ControlKind::OptionButton:
            m_form->user_set_value(row, True);
            break;
        case ControlKind::Label:
        case ControlKind::TextBox:
            return;
        case ControlKind::CommandButton:
            break;
        }
        m_form->user_clicked(row);
        return;
    }
}

void HeadlessBackend::click(Row row) {
    const PixelRect& rect = m_widgets.at(row).rect;
    click_at(rect.left + rect.width / 2, rect.top + rect.height / 2);
}

void HeadlessBackend::type(Row row, std::string_view text) {
    Widget& widget = m_widgets.at(row);
    if (!m_shown || widget.kind != ControlKind::TextBox || widget.locked || !widget.visible) return;
    m_form->user_set_text(row, widget.text + std::string(text));
}

void HeadlessBackend::close() {
    m_shown = false;
    if (!m_end_status) m_end_status = 0;
}

} // namespace rt
