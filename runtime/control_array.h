#pragma once

#include "runtime/control.h"
#include "runtime/types.h"

#include <string_view>
#include <vector>

namespace rt {

class Form;

// The rows of one control array, in row order, under the name the form's
// definition gives it.
struct ArrayRows {
    std::string_view name; // the definition's own
    std::vector<Row> rows;
};

// A named set of controls of one kind, whose members are reached by Index.
class ControlArray {
public:
    // The member at index; a run-time error when the array has none there.
    Control Item(Index index) const;

private:
    friend class FormHandle;
    ControlArray(Form& form, const ArrayRows& array) : m_form(form), m_array(array) {}

    Form& m_form;
    const ArrayRows& m_array;
};

} // namespace rt
