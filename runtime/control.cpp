#include "runtime/control.h"

#include "runtime/form.h"
#include "runtime/run_time_error.h"

#include <initializer_list>

namespace rt {

namespace {

std::string_view kind_name(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return "Label";
    case ControlKind::OptionButton:
        return "OptionButton";
    case ControlKind::CheckBox:
        return "CheckBox";
    case ControlKind::CommandButton:
        return "CommandButton";
    case ControlKind::TextBox:
        return "TextBox";
    }
    return "control";
}

std::string name_of(const ControlDefinition& control) {
    return std::string(control.array) + "(" + std::to_string(control.index) + ")";
}

// Raises "property not available" unless the control is one of kinds.
void require(const ControlDefinition& control, std::string_view property,
             std::initializer_list<ControlKind> kinds) {
    for (ControlKind kind : kinds)
        if (control.kind == kind) return;
    throw RunTimeError(ErrorNumber::PropertyNotAvailable,
                       name_of(control) + " is a " + std::string(kind_name(control.kind)) +
                           " and has no " + std::string(property) + " property");
}

[[noreturn]] void invalid_value(const ControlDefinition& control, std::string_view property,
                                int value) {
    throw RunTimeError(ErrorNumber::InvalidPropertyValue,
                       "Invalid property value: " + std::to_string(value) + " for " +
                           name_of(control) + "." + std::string(property));
}

} // namespace

std::string Control::Text() const {
    require(m_form.control(m_row), "Text", {ControlKind::TextBox});
    return m_form.state(m_row).text;
}

void Control::set_Text(std::string_view text) {
    require(m_form.control(m_row), "Text", {ControlKind::TextBox});
    m_form.write_text(m_row, text);
}

std::string Control::Caption() const {
    require(m_form.control(m_row), "Caption",
            {ControlKind::Label, ControlKind::OptionButton, ControlKind::CheckBox,
             ControlKind::CommandButton});
    return m_form.state(m_row).text;
}

std::int16_t Control::Value() const {
    require(m_form.control(m_row), "Value", {ControlKind::CheckBox, ControlKind::OptionButton});
    return m_form.state(m_row).value;
}

void Control::set_Value(std::int16_t value) {
    const ControlDefinition& control = m_form.control(m_row);
    require(control, "Value", {ControlKind::CheckBox, ControlKind::OptionButton});
    if (control.kind == ControlKind::CheckBox) {
        if (value < Unchecked || value > Grayed) invalid_value(control, "Value", value);
        m_form.write_value(m_row, value);
    } else {
        m_form.write_value(m_row, value != False ? True : False);
    }
}

Boolean Control::Visible() const {
    return m_form.state(m_row).visible ? True : False;
}

void Control::set_Visible(Boolean visible) {
    m_form.write_visible(m_row, visible != False);
}

} // namespace rt
