#include "runtime/win32/win32_backend.h"

#include "runtime/form_reports.h"
#include "runtime/keyboard_navigation.h"
#include "runtime/win32/check_state.h"
#include "runtime/win32/live_region.h"
#include "runtime/win32/wide_text.h"

#include <utility>

namespace rt {

std::unique_ptr<Backend> make_backend(const Project&) {
    return std::make_unique<Win32Backend>();
}

void Win32Backend::show() {
    ShowWindow(m_window, SW_SHOWNORMAL);
    UpdateWindow(m_window);
    SetForegroundWindow(m_window);
}

void Win32Backend::set_text(Row row, std::string_view text) {
    const std::wstring wide = widen(text);
    // What the user typed comes back here: leave it and its caret alone.
    if (window_text(m_controls.at(row)) == wide) return;
    m_writing_text = true;
    SetWindowTextW(m_controls.at(row), wide.c_str());
    m_writing_text = false;
}

void Win32Backend::set_value(Row row, std::int16_t value) {
    const bool was_writing = std::exchange(m_writing_value, true);
    SendMessageW(m_controls.at(row), BM_SETCHECK, check_state(value), 0);
    m_writing_value = was_writing;
}

// The control already shows the text: screen readers read it from there.
void Win32Backend::announce(Row row, std::string_view) {
    announce_politely(m_controls.at(row));
}

HWND Win32Backend::heading() const {
    const std::string_view heading = m_form->definition().window.heading;
    for (Row row = 0; row < m_controls.size(); ++row)
        if (!heading.empty() && m_form->control(row).array == heading) return m_controls[row];
    return nullptr;
}

void Win32Backend::set_visible(Row row, bool visible) {
    ShowWindow(m_controls.at(row), visible ? SW_SHOWNA : SW_HIDE);
}

void Win32Backend::report_error(std::string_view title, std::string_view report) {
    HWND owner = m_window && IsWindowVisible(m_window) ? m_window : nullptr;
    MessageBoxW(owner, widen(report).c_str(), widen(title).c_str(), MB_OK | MB_ICONERROR);
}

void Win32Backend::end(int status) {
    m_end_status = status;
    if (m_window) DestroyWindow(m_window);
}

} // namespace rt
