#include "runtime/qt/window_class.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace rt {

namespace {

xcb_atom_t atom(xcb_connection_t* connection, std::string_view name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data());
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

} // namespace

void set_window_class(QWidget& window, std::string_view desktop_id) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || desktop_id.empty()) return;
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    // Before the window is first mapped: window managers read them then.
    // The instance name and the class, each ended by a NUL.
    std::string value;
    value.append(desktop_id).push_back('\0');
    value.append(desktop_id).push_back('\0');
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING,
                        8, static_cast<std::uint32_t>(value.size()), value.data());
    const xcb_atom_t desktop_file = atom(connection, "_KDE_NET_WM_DESKTOP_FILE");
    const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
    if (desktop_file == XCB_ATOM_NONE || utf8 == XCB_ATOM_NONE) return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, desktop_file, utf8, 8,
                        static_cast<std::uint32_t>(desktop_id.size()), desktop_id.data());
}

} // namespace rt
