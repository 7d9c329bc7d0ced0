#include "runtime/form_reports.h"
#include "runtime/keyboard_navigation.h"
#include "runtime/win32/keys.h"
#include "runtime/win32/win32_backend.h"

// The message loop, and the keys and clicks it hands the runtime before the
// controls see them.
namespace rt {

int Win32Backend::run() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (pre_translate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return m_end_status.value_or(static_cast<int>(message.wParam));
}

void Win32Backend::process_pending() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT || pre_translate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool Win32Backend::pre_translate(const MSG& message) {
    if (!m_window || (message.hwnd != m_window && !IsChild(m_window, message.hwnd))) return false;
    // A double click is two clicks to a person, and the second gives the
    // focus as the first did; several controls take only the first's.
    if (message.message == WM_LBUTTONDBLCLK) {
        const std::optional<Row> row = row_of(message.hwnd);
        if (row && m_form->control(*row).kind != ControlKind::Label && GetFocus() != message.hwnd)
            set_focus(*row);
        return false;
    }
    if (message.message != WM_KEYDOWN) return false;
    const std::optional<Row> from = row_of(GetFocus());
    const bool control = GetKeyState(VK_CONTROL) < 0;
    // The classic edit control has no Select All key of its own.
    if (message.wParam == 'A' && control && from &&
        m_form->control(*from).kind == ControlKind::TextBox) {
        SendMessageW(m_controls[*from], EM_SETSEL, 0, -1);
        return true;
    }
    if (control) return false;
    const std::optional<Key> key = runtime_key(message.wParam, GetKeyState(VK_SHIFT) < 0);
    if (!key) return false;
    // Bit 30 marks a key held down since the last message: a repeat.
    const bool repeat = (message.lParam & (LPARAM{1} << 30)) != 0;
    const KeyAnswer answer = answer_key(*m_form, from, *key, repeat);
    if (answer.to_text_box) return false;
    if (answer.focus) set_focus(*answer.focus);
    if (answer.activate) activate(*m_form, *answer.activate);
    return true;
}

} // namespace rt
