#pragma once

#include "runtime/backend.h"
#include "runtime/win32/colours.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace rt {

// The form as a native window of standard controls, one per row; a control's
// identifier is its row. The window carries out the runtime's keyboard: it is
// not a dialog, so Enter and Escape press nothing. Its parts live apart:
// win32_window.cpp (class, controls, layout, window procedures, colours),
// message_loop.cpp (the loop and what it takes before the controls), keys.cpp
// (virtual keys to the runtime's), and here the Backend's mirror of state.
class Win32Backend final : public Backend {
public:
    // reader tells whether high contrast is on, at start and whenever the
    // system's colours or settings change.
    explicit Win32Backend(HighContrastReader reader = system_high_contrast);
    ~Win32Backend() override;
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;

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

    HWND window() const { return m_window; }
    HWND control(Row row) const { return m_controls.at(row); }
    int dpi() const { return m_dpi; }
    // The label that names the window and its option buttons, or null.
    HWND heading() const;

    // Carries out, before the controls see them, the runtime's answer to its
    // keys (answer_key) and Ctrl+A in a text box, and the focus a double
    // click gives. True when the message needs no further handling.
    bool pre_translate(const MSG& message);
    // Dispatches every message already waiting, as the event loop does.
    void process_pending();

private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    static LRESULT CALLBACK button_procedure(HWND control, UINT message, WPARAM w, LPARAM l);
    LRESULT handle_message(UINT message, WPARAM w, LPARAM l);
    HWND create_control(Row row);
    void lay_out();
    void on_command(Row row, WORD code);
    LRESULT on_control_colour(HDC dc, HWND control, UINT message, WPARAM w, LPARAM l);
    std::optional<Row> row_of(HWND control) const;
    void on_colours_changed(UINT message);

    FormReports* m_form = nullptr;
    HWND m_window = nullptr;
    std::vector<HWND> m_controls;
    HighContrastReader m_high_contrast;
    std::optional<Colours> m_colours;
    HFONT m_font = nullptr;
    int m_dpi = 96;
    bool m_focusing_option = false; // an option button is taking the focus
    bool m_writing_text = false;    // the runtime is writing a text box's text
    bool m_writing_value = false;   // the runtime is setting a button's check
    bool m_active = false;          // the window is the active one
    HWND m_saved_focus = nullptr;   // the focus it gives back when it is again
    std::optional<int> m_end_status;
};

} // namespace rt
