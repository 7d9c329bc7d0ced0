#include "runtime/qt/window_class.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <string>

namespace rt {

void set_window_class(QWidget& window, std::string_view desktop_id) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || desktop_id.empty()) return;
    // The instance name and the class, each ended by a NUL.
    std::string value;
    value.append(desktop_id).push_back('\0');
    value.append(desktop_id).push_back('\0');
    // Before the window is first mapped: window managers read it then.
    xcb_change_property(x11->connection(), XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()), XCB_ATOM_WM_CLASS,
                        XCB_ATOM_STRING, 8, static_cast<std::uint32_t>(value.size()), value.data());
}

} // namespace rt
