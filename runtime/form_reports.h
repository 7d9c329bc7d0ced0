#pragma once

#include "runtime/check_mark.h"
#include "runtime/form_definition.h"
#include "runtime/types.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// The value of each property of one control. The runtime holds these; the
// backend's window shows them.
struct ControlState {
    std::string text; // a caption, or a text box's text
    std::int16_t value = Unchecked;
    bool visible = true;
};

// What a backend holds of its form: the controls' definitions and current
// state, to read and mirror, and the calls that report what the user did.
// Only the runtime writes the state. Form is the only class derived from it.
class FormReports {
public:
    FormReports(const FormReports&) = delete;
    FormReports& operator=(const FormReports&) = delete;

    const FormDefinition& definition() const { return m_definition; }
    std::size_t size() const { return m_states.size(); }
    const ControlDefinition& control(Row row) const { return m_definition.controls[row]; }
    const ControlState& state(Row row) const { return m_states.at(row); }

    // What the user did, as the backend reports it once its window has carried
    // it out, by whatever path: mouse, keyboard, an accessibility action. A
    // backend reports every change of a control that the runtime did not write
    // itself, and never echoes the runtime's own writes. The runtime keeps the
    // one true state: a report that changes nothing is ignored, so a change
    // seen twice counts once; a hidden control takes no input, and the window
    // is set back to the runtime's value.
    //
    // A box ticked or an option chosen: raises the control's Click, an option
    // button's only as it becomes chosen.
    void user_set_value(Row row, std::int16_t value);
    // The same, reported as the mark the window now shows.
    void user_set_mark(Row row, Mark mark);
    // A click on a control, or an assistive tool's action on it, however the
    // platform carried it out: the runtime decides what it does (activate()),
    // and the window then shows the runtime's value, whatever the platform
    // made of the click itself.
    void user_clicked(Row row);
    void user_set_text(Row row, std::string_view text);
    // A command button pressed: raises its Click, then has the backend
    // announce each locked text box that the Click wrote, with its text.
    void user_pressed(Row row);

private:
    friend class Form;
    explicit FormReports(const FormDefinition& definition);
    ~FormReports() = default;

    const FormDefinition& m_definition;
    std::vector<ControlState> m_states;
};

} // namespace rt
