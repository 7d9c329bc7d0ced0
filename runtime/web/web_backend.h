#pragma once

#include "runtime/backend.h"
#include "runtime/keyboard_navigation.h"

#include <cstdint>
#include <optional>

namespace rt {

// The window as a page: the browser's own controls, one element per row of
// the form, placed at the definition's pixels in CSS pixels. The page
// reports a check box's or option button's change event, the one that
// clicks and assistive technology all end in, as a click, and the runtime
// decides what it makes of it; a text box's text from its input event. The
// runtime's writes set the elements' properties, which fire no event.
class WebBackend final : public Backend {
public:
    WebBackend();
    ~WebBackend() override;
    WebBackend(const WebBackend&) = delete;
    WebBackend& operator=(const WebBackend&) = delete;

    void create(FormReports& form) override;
    void show() override;
    int run() override;
    bool outlives_start() const override;
    void set_text(Row row, std::string_view text) override;
    void set_value(Row row, std::int16_t value) override;
    void set_visible(Row row, bool visible) override;
    std::optional<Row> focus() const override;
    void set_focus(Row row) override;
    void announce(Row row, std::string_view text) override;
    void report_error(std::string_view title, std::string_view report) override;
    void end(int status) override;

    // What the page saw the user do to the control of that row: a text
    // box's text changed, a check box or option button clicked (by whatever
    // path: its change event), a command button pressed.
    void changed(Row row);
    void clicked(Row row);
    void pressed(Row row);
    // The runtime's answer to a key pressed on the control of that row, and
    // the activation it asks for, carried out after the focus has moved.
    KeyAnswer answer_key(Row row, Key key, bool repeat) const;
    void activate(Row row);

    std::optional<int> end_status() const { return m_end_status; }

    // The one window of the page, which the page's events are sent to.
    static WebBackend* current();

private:
    FormReports* m_form = nullptr;
    std::optional<int> m_end_status;
};

} // namespace rt
