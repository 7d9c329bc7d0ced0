#pragma once

#include "runtime/control.h"
#include "runtime/types.h"

#include <string_view>

namespace rt {

class Form;

// A named set of controls of one kind, whose members are reached by Index.
class ControlArray {
public:
    // The member at index; a run-time error when the array has none there.
    Control Item(Index index) const;

private:
    friend class Form;
    ControlArray(Form& form, std::string_view name) : m_form(form), m_name(name) {}

    Form& m_form;
    std::string_view m_name;
};

} // namespace rt
