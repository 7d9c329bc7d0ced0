#include "runtime/win32/live_region.h"

#include <ole2.h>
#include <oleacc.h>

namespace rt {

namespace {

// Windows 8's event, which this program's headers leave out for Windows 7.
constexpr DWORD live_region_changed = 0x8019; // EVENT_OBJECT_LIVEREGIONCHANGED

// UI Automation's LiveSetting property and its Polite value.
constexpr GUID live_setting{
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG polite = 1;

// oleacc's property services, named here so that no COM library is linked.
constexpr GUID property_services_class{
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID property_services_interface{
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};

template <typename Function> Function look_up(HMODULE module, const char* name) {
    if (!module) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The property services, made once on this thread, or null where COM or
// oleacc offers none.
IAccPropServices* property_services() {
    static IAccPropServices* const services = []() -> IAccPropServices* {
        using Initialize = HRESULT(WINAPI*)(void*, DWORD);
        using Create = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
        const HMODULE ole32 = LoadLibraryW(L"ole32.dll");
        const auto initialize = look_up<Initialize>(ole32, "CoInitializeEx");
        const auto create = look_up<Create>(ole32, "CoCreateInstance");
        if (!initialize || !create || FAILED(initialize(nullptr, COINIT_APARTMENTTHREADED)))
            return nullptr;
        IAccPropServices* made = nullptr;
        if (FAILED(create(property_services_class, nullptr, CLSCTX_INPROC_SERVER,
                          property_services_interface, reinterpret_cast<void**>(&made))))
            return nullptr;
        return made;
    }();
    return services;
}

} // namespace

void announce_politely(HWND control) {
    if (IAccPropServices* services = property_services()) {
        VARIANT setting{};
        setting.vt = VT_I4;
        setting.lVal = polite;
        // Setting it again is harmless; where oleacc keeps no properties (Wine)
        // the event still goes out.
        services->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, live_setting,
                              setting);
    }
    NotifyWinEvent(live_region_changed, control, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace rt
