#pragma once

#include "runtime/form_definition.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace rt {

// Whether the system's high contrast is on, as SPI_GETHIGHCONTRAST says.
bool system_high_contrast();

// Tells whether high contrast is on: system_high_contrast, or a test's own
// reading where the system cannot be switched.
using HighContrastReader = bool (*)();

// A background and the text drawn on it, always as one pair.
struct ColourPair {
    COLORREF text;
    COLORREF back;
    HBRUSH brush; // fills with back; not to be deleted
};

// The colours the form's window draws with. Its own back colours carry the
// text colour chosen for them; a text box keeps the system's window pair.
// Under high contrast the system's pairs take the place of the form's own
// colours everywhere, as the system expects of every program.
class Colours {
public:
    Colours(const FormDefinition& form, HighContrastReader reader);
    ~Colours();
    Colours(const Colours&) = delete;
    Colours& operator=(const Colours&) = delete;

    // Reads high contrast again, after the system's colours or settings
    // changed. True when it changed.
    bool refresh();
    bool high_contrast() const { return m_high_contrast; }

    // The form's background, with the text of captions drawn straight on it.
    ColourPair form() const;
    // A control's background and text; none for a control that keeps the
    // system's default.
    std::optional<ColourPair> control(Row row) const;
    // A graphical button's face and caption.
    ColourPair button(Row row) const;

private:
    const FormDefinition& m_form;
    HighContrastReader m_reader;
    bool m_high_contrast = false;
    HBRUSH m_form_brush = nullptr;
    std::vector<HBRUSH> m_brushes; // a row's back colour, or nullptr
};

} // namespace rt
