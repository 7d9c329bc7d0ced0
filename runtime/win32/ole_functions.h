#pragma once

#include <windows.h>

#include <oleauto.h>

namespace rt {

// The few functions of oleacc and oleaut32 the accessible objects need,
// looked up once when first asked for: the program links neither library, so
// that it starts without them. Each is null where its library is missing.
struct OleFunctions {
    using CreateStd = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using FromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    using FromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    using AllocString = BSTR(WINAPI*)(const OLECHAR*);
    CreateStd create_standard = nullptr;
    FromObject result_from_object = nullptr;
    FromWindow from_window = nullptr;
    AllocString alloc_string = nullptr;
};

const OleFunctions& ole();

} // namespace rt
