#include "runtime/form.h"

#include "runtime/backend.h"
#include "runtime/keyboard_navigation.h"
#include "runtime/run_time_error.h"

#include <algorithm>
#include <cstdio>

namespace rt {

FormReports::FormReports(const FormDefinition& definition) : m_definition(definition) {
    m_states.reserve(definition.controls.size());
    for (const ControlDefinition& control : definition.controls)
        m_states.push_back({std::string(control.text), Unchecked, true});
}

Form::Form(const FormDefinition& definition, Backend& backend, std::string_view title)
    : FormReports(definition), m_backend(backend), m_title(title) {
    for (Row row = 0; row < definition.controls.size(); ++row) {
        const ControlDefinition& control = definition.controls[row];
        const auto same = [&](const ArrayRows& a) { return a.name == control.array; };
        const auto found = std::find_if(m_arrays.begin(), m_arrays.end(), same);
        if (found == m_arrays.end())
            m_arrays.push_back({control.array, {row}});
        else
            found->rows.push_back(row);
    }
}

const ArrayRows* Form::array(std::string_view name) const {
    for (const ArrayRows& array : m_arrays)
        if (array.name == name) return &array;
    return nullptr;
}

// Every FormHandle is a Form: only Form derives from it.
ControlArray FormHandle::operator[](std::string_view array) {
    auto& form = static_cast<Form&>(*this);
    const ArrayRows* rows = form.array(array);
    if (!rows)
        throw RunTimeError(ErrorNumber::NoSuchControlArray,
                           "The form has no control array named " + std::string(array));
    return ControlArray(form, *rows);
}

std::optional<Row> Form::find(std::string_view array, Index index) const {
    const auto& controls = m_definition.controls;
    const auto found = std::find_if(controls.begin(), controls.end(), [&](const auto& c) {
        return c.array == array && c.index == index;
    });
    if (found == controls.end()) return std::nullopt;
    return static_cast<Row>(found - controls.begin());
}

bool Form::open() {
    m_backend.create(*this);
    if (m_definition.events.load) raise([this] { m_definition.events.load(*this); });
    if (m_ended) return false;
    m_backend.show();
    // A person who put the focus on a control before the window was the
    // program's (the page shows its window before its program runs) keeps it.
    if (!m_backend.focus())
        if (const std::optional<Row> first = start_focus(*this)) m_backend.set_focus(*first);
    return true;
}

bool Form::takes_input(Row row) const {
    return !m_ended && state(row).visible;
}

// Every FormReports is a Form: only Form derives from it.
void FormReports::user_set_value(Row row, std::int16_t value) {
    Form& form = static_cast<Form&>(*this);
    if (form.m_ended || state(row).value == value) return;
    if (!form.takes_input(row)) {
        form.m_backend.set_value(row, state(row).value);
        return;
    }
    form.write_value(row, value);
    if (control(row).kind == ControlKind::CheckBox || value != False) form.raise_click(row);
}

void FormReports::user_set_mark(Row row, Mark mark) {
    user_set_value(row, value_of(control(row).kind, mark));
}

// A click that changes a value writes it to the window, and a refused one
// writes the old value back (user_set_value). A platform may also have
// cleared the option chosen before on its own: the options show the
// runtime's values again.
void FormReports::user_clicked(Row row) {
    Form& form = static_cast<Form&>(*this);
    if (form.m_ended) return;
    activate(*this, row);
    if (form.m_ended || control(row).kind != ControlKind::OptionButton) return;
    for (Row other = 0; other < size(); ++other)
        if (control(other).kind == ControlKind::OptionButton)
            form.m_backend.set_value(other, state(other).value);
}

// A locked text box is read-only to the user, whatever path the text came by.
void FormReports::user_set_text(Row row, std::string_view text) {
    Form& form = static_cast<Form&>(*this);
    if (form.m_ended || state(row).text == text) return;
    if (!form.takes_input(row) || control(row).locked) {
        form.m_backend.set_text(row, state(row).text);
        return;
    }
    form.write_text(row, text);
}

void FormReports::user_pressed(Row row) {
    Form& form = static_cast<Form&>(*this);
    if (form.takes_input(row) && control(row).kind == ControlKind::CommandButton) form.press(row);
}

// A locked text box is the form's output: what a command writes there is its
// result, and a screen reader is told it, since its user cannot see it
// appear. Every press announces, the same text again included.
void Form::press(Row row) {
    m_results.emplace();
    raise_click(row);
    const std::vector<Row> results = std::move(*m_results);
    m_results.reset();
    if (m_ended) return;
    for (const Row result : results) m_backend.announce(result, state(result).text);
}

void Form::raise_click(Row row) {
    const ControlDefinition& clicked = control(row);
    for (const ClickHandler& handler : m_definition.events.click) {
        if (handler.array == clicked.array) {
            raise([&] { handler.procedure(*this, clicked.index); });
            return;
        }
    }
}

void Form::write_text(Row row, std::string_view text) {
    m_states.at(row).text = text;
    m_backend.set_text(row, text);
    if (m_results && control(row).locked &&
        std::find(m_results->begin(), m_results->end(), row) == m_results->end())
        m_results->push_back(row);
}

// The option buttons of a form are one group: choosing one clears the rest.
void Form::write_value(Row row, std::int16_t value) {
    m_states.at(row).value = value;
    m_backend.set_value(row, value);
    if (control(row).kind != ControlKind::OptionButton || value == False) return;
    for (Row other = 0; other < m_states.size(); ++other) {
        if (other == row || control(other).kind != ControlKind::OptionButton) continue;
        if (m_states[other].value == False) continue;
        m_states[other].value = False;
        m_backend.set_value(other, False);
    }
}

void Form::write_visible(Row row, bool visible) {
    m_states.at(row).visible = visible;
    // A control about to be hidden with the focus passes it on in tab order
    // first, so that no platform moves it by rules of its own.
    if (!visible && m_backend.focus() == row)
        if (const std::optional<Row> to = next_tab_stop(*this, row, Direction::Forward))
            m_backend.set_focus(*to);
    m_backend.set_visible(row, visible);
}

template <typename Procedure> void Form::raise(const Procedure& procedure) {
    try {
        procedure();
    } catch (const RunTimeError& error) {
        fail(error);
    }
}

void Form::fail(const RunTimeError& error) {
    const std::string report = error_report(error);
    // One unformatted write, not iostreams or printf: the Windows program links
    // its C library support in, and either would be a large part of its size.
    const std::string line = std::string(m_title) + ": " + report + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    m_ended = true;
    m_exit_status = run_time_error_exit_status;
    m_backend.report_error(m_title, report);
    m_backend.end(m_exit_status);
}

} // namespace rt
