#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace rt {

// The runtime's UTF-8 texts as the UTF-16 that the W functions take, and back.
std::wstring widen(std::string_view text);
std::string narrow(std::wstring_view text);

// A window's or control's text, as GetWindowText gives it.
std::wstring window_text(HWND window);

} // namespace rt
