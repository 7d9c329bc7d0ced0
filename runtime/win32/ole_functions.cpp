#include "runtime/win32/ole_functions.h"

namespace rt {

namespace {

template <typename Function> Function look_up(HMODULE module, const char* name) {
    if (!module) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace

const OleFunctions& ole() {
    static const OleFunctions functions = [] {
        OleFunctions found;
        const HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
        const HMODULE oleaut = LoadLibraryW(L"oleaut32.dll");
        found.create_standard =
            look_up<OleFunctions::CreateStd>(oleacc, "CreateStdAccessibleObject");
        found.result_from_object = look_up<OleFunctions::FromObject>(oleacc, "LresultFromObject");
        found.from_window = look_up<OleFunctions::FromWindow>(oleacc, "AccessibleObjectFromWindow");
        found.alloc_string = look_up<OleFunctions::AllocString>(oleaut, "SysAllocString");
        return found;
    }();
    return functions;
}

} // namespace rt
