#pragma once

#include "runtime/control_array.h"
#include "runtime/form_definition.h"
#include "runtime/form_handle.h"
#include "runtime/form_reports.h"
#include "runtime/types.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace rt {

class Backend;
class RunTimeError;

// A form at run time: its window in the backend, its control arrays, and the
// raising of its event procedures, over the controls' state that it keeps as
// FormReports. The procedures see it only as a FormHandle, and its backend
// only as FormReports. A run-time error raised inside a procedure is reported
// here, and it ends the program: no procedure runs after it.
class Form final : public FormHandle, public FormReports {
public:
    Form(const FormDefinition& definition, Backend& backend, std::string_view title);

    // Creates the window and its controls, runs Form_Load, then shows the
    // window. False when a run-time error has ended the program instead.
    bool open();

    bool ended() const { return m_ended; }
    int exit_status() const { return m_exit_status; }

    std::optional<Row> find(std::string_view array, Index index) const;

private:
    friend class Control;
    friend class FormHandle;
    friend class FormReports;

    const ArrayRows* array(std::string_view name) const;

    void write_text(Row row, std::string_view text);
    void write_value(Row row, std::int16_t value);
    void write_visible(Row row, bool visible);

    bool takes_input(Row row) const;
    void press(Row row);
    void raise_click(Row row);
    template <typename Procedure> void raise(const Procedure& procedure);
    void fail(const RunTimeError& error);

    Backend& m_backend;
    std::string_view m_title;
    std::vector<ArrayRows> m_arrays;           // in order of each array's first row
    std::optional<std::vector<Row>> m_results; // locked text boxes a command has written
    bool m_ended = false;
    int m_exit_status = 0;
};

} // namespace rt
