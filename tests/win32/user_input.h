#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace rt {
class Win32Backend;
}

// A person's input to the Win32 window, sent through the system's input
// queue so that the window system decides which control receives it.
namespace win32_test {

// A left click at a point of the window's client area.
void click(rt::Win32Backend& backend, POINT client_point);
// A key pressed and released, with Shift or Ctrl held when asked.
void press(rt::Win32Backend& backend, WORD key, bool shift = false, bool control = false);
// A key held down until it repeats once, then released.
void hold(rt::Win32Backend& backend, WORD key, bool shift = false);
// The default action of the control's accessible object, as a screen reader
// or switch tool calls it through oleacc. False when it has none.
bool act(rt::Win32Backend& backend, HWND control);
// Text typed character by character.
void type(rt::Win32Backend& backend, const std::wstring& text);

// Records, then closes, every message box that the thread opens while the
// watch lives: "title: text".
class MessageBoxWatch {
public:
    MessageBoxWatch();
    ~MessageBoxWatch();
    MessageBoxWatch(const MessageBoxWatch&) = delete;
    MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;

    const std::vector<std::wstring>& seen() const;

private:
    UINT_PTR m_timer;
};

} // namespace win32_test
