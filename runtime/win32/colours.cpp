#include "runtime/win32/colours.h"

namespace rt {

namespace {

ColourPair system_pair(int text, int back) {
    return {GetSysColor(text), GetSysColor(back), GetSysColorBrush(back)};
}

} // namespace

bool system_high_contrast() {
    HIGHCONTRASTW high_contrast{};
    high_contrast.cbSize = sizeof high_contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof high_contrast, &high_contrast, 0) &&
           (high_contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

Colours::Colours(const FormDefinition& form, HighContrastReader reader)
    : m_form(form), m_reader(reader), m_high_contrast(reader()),
      m_form_brush(CreateSolidBrush(form.window.back_colour.bgr)) {
    for (const ControlDefinition& control : form.controls)
        m_brushes.push_back(control.back_colour ? CreateSolidBrush(control.back_colour->bgr)
                                                : nullptr);
}

Colours::~Colours() {
    for (HBRUSH brush : m_brushes)
        if (brush) DeleteObject(brush);
    DeleteObject(m_form_brush);
}

bool Colours::refresh() {
    const bool was = m_high_contrast;
    m_high_contrast = m_reader();
    return m_high_contrast != was;
}

ColourPair Colours::form() const {
    if (m_high_contrast) return system_pair(COLOR_WINDOWTEXT, COLOR_WINDOW);
    return {text_on_back_colour.bgr, m_form.window.back_colour.bgr, m_form_brush};
}

std::optional<ColourPair> Colours::control(Row row) const {
    const ControlDefinition& control = m_form.controls[row];
    // A text box is the system's window: its text and background come from
    // the system's pair, whatever the theme.
    if (control.kind == ControlKind::TextBox || (m_high_contrast && control.back_colour))
        return system_pair(COLOR_WINDOWTEXT, COLOR_WINDOW);
    if (!control.back_colour) return std::nullopt;
    return ColourPair{text_on_back_colour.bgr, control.back_colour->bgr, m_brushes[row]};
}

ColourPair Colours::button(Row row) const {
    const ControlDefinition& control = m_form.controls[row];
    if (m_high_contrast || !control.back_colour) return system_pair(COLOR_BTNTEXT, COLOR_BTNFACE);
    return {text_on_back_colour.bgr, control.back_colour->bgr, m_brushes[row]};
}

} // namespace rt
