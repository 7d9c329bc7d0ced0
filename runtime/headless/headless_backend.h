#pragma once

#include "runtime/backend.h"
#include "runtime/form_definition.h"
#include "runtime/geometry.h"
#include "runtime/keyboard_navigation.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace rt {

// A window that exists only in memory. It behaves as the desktop toolkits'
// windows do where a person can tell: a click lands on the visible control
// under the pointer and gives it the focus, a check box toggles, the option
// buttons are one group, Tab moves the focus, Space presses the focused
// button, and a locked text box ignores typing.
//
// Not only for tests: the web build runs the program's form in it at build
// time (app/page_parts.cpp) to write the window as the page first shows it,
// so what it shows after Form_Load ships in every page.
class HeadlessBackend final : public Backend {
public:
    // A control as the window shows it.
    struct Widget {
        ControlKind kind;
        PixelRect rect;
        std::string text;
        std::int16_t value = Unchecked;
        bool visible = true;
        bool locked = false;
    };

    void create(FormReports& form) override;
    void show() override;
    int run() override;
    void set_text(Row row, std::string_view text) override;
    void set_value(Row row, std::int16_t value) override;
    void set_visible(Row row, bool visible) override;
    std::optional<Row> focus() const override;
    void set_focus(Row row) override;
    void announce(Row row, std::string_view text) override;
    void report_error(std::string_view title, std::string_view report) override;
    void end(int status) override;

    // A click with the mouse at a point of the window's client area.
    void click_at(int x, int y);
    // A click at the middle of the control's rectangle, hidden or not.
    void click(Row row);
    // An assistive tool's action on the control: what a click on it does,
    // leaving the focus where it is.
    void act(Row row);
    // One of the runtime's keys pressed and released, acting on the control
    // that has the focus. Other keys do nothing here: this window keeps no
    // caret, selection or clipboard, and typing into a text box only appends.
    // With repeat, it is a repeat of a key held down.
    void press(Key key, bool repeat = false);
    // Typing into the control that has the focus.
    void type(std::string_view text);
    // Typing into a text box, which takes the focus first.
    void type(Row row, std::string_view text);
    // The user closes the window.
    void close();

    bool shown() const { return m_shown; }
    const Widget& widget(Row row) const { return m_widgets.at(row); }
    const std::vector<std::string>& reports() const { return m_reports; }
    // Each announcement made, as the row and its text.
    const std::vector<std::pair<Row, std::string>>& announcements() const {
        return m_announcements;
    }
    std::optional<int> end_status() const { return m_end_status; }

private:
    FormReports* m_form = nullptr;
    std::vector<Widget> m_widgets;
    std::vector<std::string> m_reports;
    std::vector<std::pair<Row, std::string>> m_announcements;
    bool m_shown = false;
    std::optional<Row> m_focus;
    std::optional<int> m_end_status;
};

} // namespace rt
