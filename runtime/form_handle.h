#pragma once

#include "runtime/control_array.h"

#include <string_view>

namespace rt {

class Form;

// What an event procedure holds of its form: its control arrays, by name,
// and through them the controls' properties, each access checked. Nothing
// else of the form is reachable from here: its backend's side is
// FormReports (form_reports.h).
class FormHandle {
public:
    FormHandle(const FormHandle&) = delete;
    FormHandle& operator=(const FormHandle&) = delete;

    // The control array of that name; a run-time error when there is none.
    ControlArray operator[](std::string_view array);

private:
    friend class Form;
    FormHandle() = default;
    ~FormHandle() = default;
};

} // namespace rt
