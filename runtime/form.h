#pragma once

#include "runtime/control_array.h"
#include "runtime/form_definition.h"
#include "runtime/form_handle.h"
#include "runtime/types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

class Backend;
class RunTimeError;

// The value of each property of one control. The runtime holds these; the
// backend's window shows them.
struct ControlState {
    std::string text; // a caption, or a text box's text
    std::int16_t value = Unchecked;
    bool visible = true;
};

// A form at run time: its controls' state, its window in the backend, and the
// raising of its event procedures, which see it only as a FormHandle. A
// run-time error raised inside a procedure is reported here, and it ends the
// program: no procedure runs after it.
class Form final : public FormHandle {
public:
    Form(const FormDefinition& definition, Backend& backend, std::string_view title);

    // Creates the window and its controls, runs Form_Load, then shows the
    // window. False when a run-time error has ended the program instead.
    bool open();

    bool ended() const { return m_ended; }
    int exit_status() const { return m_exit_status; }

    const FormDefinition& definition() const { return m_definition; }
    std::size_t size() const { return m_states.size(); }
    const ControlDefinition& control(Row row) const { return m_definition.controls[row]; }
    const ControlState& state(Row row) const { return m_states.at(row); }
    std::optional<Row> find(std::string_view array, Index index) const;

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
    void user_set_text(Row row, std::string_view text);
    // A command button pressed: raises its Click.
    void user_pressed(Row row);

private:
    friend class Control;
    friend class FormHandle;

    const ArrayRows* array(std::string_view name) const;

    void write_text(Row row, std::string_view text);
    void write_value(Row row, std::int16_t value);
    void write_visible(Row row, bool visible);

    bool takes_input(Row row) const;
    void raise_click(Row row);
    template <typename Procedure> void raise(const Procedure& procedure);
    void fail(const RunTimeError& error);

    const FormDefinition& m_definition;
    Backend& m_backend;
    std::string_view m_title;
    std::vector<ControlState> m_states;
    std::vector<ArrayRows> m_arrays; // in order of each array's first row
    bool m_ended = false;
    int m_exit_status = 0;
};

} // namespace rt
