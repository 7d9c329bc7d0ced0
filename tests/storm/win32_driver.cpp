#include "tests/storm/win32_driver.h"

#include "runtime/win32/wide_text.h"
#include "tests/win32/user_input.h"

namespace storm {

Win32Driver::Win32Driver(const rt::FormDefinition& definition)
    : m_form(definition, m_window, "Quenlor") {
    m_form.open();
    m_window.process_pending();
}

void Win32Driver::click(int target) {
    const rt::PixelRect rect =
        rt::to_pixels(m_form.control(*row_of(m_form, target)).rect, m_window.dpi());
    win32_test::click(m_window, {rect.left + rect.width / 2, rect.top + rect.height / 2});
}

void Win32Driver::act(int target) {
    win32_test::act(m_window, m_window.control(*row_of(m_form, target)));
}

void Win32Driver::key(Key key) {
    struct Stroke {
        WORD key;
        bool shift;
        bool control;
    };
    static constexpr Stroke strokes[] = {
        {VK_TAB, false, false},    {VK_TAB, true, false},     {VK_SPACE, false, false},
        {VK_RETURN, false, false}, {VK_ESCAPE, false, false}, {VK_DELETE, false, false},
        {VK_BACK, false, false},   {'V', false, true},        {'X', false, true},
        {VK_LEFT, false, false},   {VK_RIGHT, false, false},  {VK_UP, false, false},
        {VK_DOWN, false, false},
    };
    const Stroke& stroke = strokes[static_cast<int>(key)];
    win32_test::press(m_window, stroke.key, stroke.shift, stroke.control);
}

void Win32Driver::type(const std::string& text) {
    win32_test::type(m_window, rt::widen(text));
}

bool Win32Driver::shown(rt::Row row) {
    return IsWindowVisible(m_window.control(row)) != FALSE;
}

std::int16_t Win32Driver::value(rt::Row row) {
    const LRESULT state = SendMessageW(m_window.control(row), BM_GETCHECK, 0, 0);
    if (m_form.control(row).kind == rt::ControlKind::OptionButton)
        return state == BST_CHECKED ? rt::True : rt::False;
    if (state == BST_INDETERMINATE) return rt::Grayed;
    return state == BST_CHECKED ? rt::Checked : rt::Unchecked;
}

// Read back with WM_GETTEXT, which keeps the CR LF.
std::string Win32Driver::window_text(rt::Row row) {
    return rt::narrow(rt::window_text(m_window.control(row)));
}

std::optional<rt::Row> Win32Driver::focused() {
    const HWND focus = GetFocus();
    for (rt::Row row = 0; row < m_form.size(); ++row)
        if (m_window.control(row) == focus) return row;
    return std::nullopt;
}

} // namespace storm
