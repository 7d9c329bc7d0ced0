#pragma once

#include "runtime/types.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

class Form;

// A member of a control array, fetched for one statement. Each property
// access checks that the control's kind has the property and raises a
// run-time error when it does not.
class Control {
public:
    std::string Text() const;
    void set_Text(std::string_view text);

    std::string Caption() const;

    // A check box's 0, 1 or 2; an option button's True or False.
    std::int16_t Value() const;
    void set_Value(std::int16_t value);

    Boolean Visible() const;
    void set_Visible(Boolean visible);

private:
    friend class ControlArray;
    Control(Form& form, Row row) : m_form(form), m_row(row) {}

    Form& m_form;
    Row m_row;
};

} // namespace rt
