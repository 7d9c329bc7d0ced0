#include "tests/win32/user_input.h"

#include "runtime/win32/wide_text.h"
#include "runtime/win32/win32_backend.h"

#include <ole2.h>
#include <oleacc.h>

namespace win32_test {

namespace {

// Lets the window take in what was sent: SendInput has queued it already,
// and what handling it posts is handled in turn until the queue is empty.
void settle(rt::Win32Backend& backend) {
    for (int round = 0; round < 100; ++round) {
        backend.process_pending();
        if (!GetQueueStatus(QS_ALLINPUT)) return;
    }
}

void send(INPUT input) {
    SendInput(1, &input, sizeof input);
}

INPUT key_input(WORD key, WORD scan, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = scan;
    input.ki.dwFlags = flags;
    return input;
}

std::vector<std::wstring> boxes_seen;

BOOL CALLBACK close_message_box(HWND window, LPARAM) {
    wchar_t class_name[16] = {};
    GetClassNameW(window, class_name, 16);
    if (std::wstring(class_name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    boxes_seen.push_back(rt::window_text(window) + L": " +
                         rt::window_text(GetDlgItem(window, 0xFFFF)));
    EndDialog(window, IDOK);
    return TRUE;
}

void CALLBACK watch_timer(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), close_message_box, 0);
}

} // namespace

void click(rt::Win32Backend& backend, POINT client_point) {
    POINT screen = client_point;
    ClientToScreen(backend.window(), &screen);
    SetCursorPos(screen.x, screen.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    send(input);
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    send(input);
    settle(backend);
}

void press(rt::Win32Backend& backend, WORD key, bool shift, bool control) {
    if (shift) send(key_input(VK_SHIFT, 0, 0));
    if (control) send(key_input(VK_CONTROL, 0, 0));
    send(key_input(key, 0, 0));
    send(key_input(key, 0, KEYEVENTF_KEYUP));
    if (control) send(key_input(VK_CONTROL, 0, KEYEVENTF_KEYUP));
    if (shift) send(key_input(VK_SHIFT, 0, KEYEVENTF_KEYUP));
    settle(backend);
}

// A second key-down before the key-up is a repeat: the system marks it so.
void hold(rt::Win32Backend& backend, WORD key, bool shift) {
    if (shift) send(key_input(VK_SHIFT, 0, 0));
    send(key_input(key, 0, 0));
    send(key_input(key, 0, 0));
    send(key_input(key, 0, KEYEVENTF_KEYUP));
    if (shift) send(key_input(VK_SHIFT, 0, KEYEVENTF_KEYUP));
    settle(backend);
}

bool act(rt::Win32Backend& backend, HWND control) {
    static const bool com = SUCCEEDED(CoInitialize(nullptr));
    (void)com;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return false;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    const HRESULT done = object->accDoDefaultAction(self);
    object->Release();
    settle(backend);
    return SUCCEEDED(done);
}

void type(rt::Win32Backend& backend, const std::wstring& text) {
    for (wchar_t letter : text) {
        send(key_input(0, letter, KEYEVENTF_UNICODE));
        send(key_input(0, letter, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    settle(backend);
}

MessageBoxWatch::MessageBoxWatch() : m_timer(SetTimer(nullptr, 0, 20, watch_timer)) {
    boxes_seen.clear();
}

MessageBoxWatch::~MessageBoxWatch() {
    KillTimer(nullptr, m_timer);
}

const std::vector<std::wstring>& MessageBoxWatch::seen() const {
    return boxes_seen;
}

} // namespace win32_test
