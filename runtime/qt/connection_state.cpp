#include "runtime/qt/connection_state.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <charconv>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <sys/un.h>
#include <system_error>

namespace rt {

namespace {

int parse_descriptor(const std::string& text) {
    int fd = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), fd);
    return error == std::errc() && end == text.data() + text.size() ? fd : -1;
}

// The path of the compositor's socket, as libwayland finds it: WAYLAND_DISPLAY
// (wayland-0 when unset), under XDG_RUNTIME_DIR unless it is a path itself.
std::string wayland_socket_path() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    const std::string display = name && *name ? name : "wayland-0";
    if (display.starts_with('/')) return display;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return std::string(runtime ? runtime : "") + "/" + display;
}

// The descriptor of this process's socket connected to path, or -1.
int socket_connected_to(const std::string& path) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        const int fd = parse_descriptor(entry.path().filename().string());
        if (fd < 0) continue;
        sockaddr_un peer{};
        socklen_t size = sizeof peer;
        if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &size) != 0 ||
            peer.sun_family != AF_UNIX || size <= offsetof(sockaddr_un, sun_path))
            continue;
        const std::size_t length = strnlen(peer.sun_path, size - offsetof(sockaddr_un, sun_path));
        if (path == std::string_view(peer.sun_path, length)) return fd;
    }
    return -1;
}

} // namespace

int ConnectionState::wayland_socket_handed_over() {
    const char* value = std::getenv("WAYLAND_SOCKET");
    return value ? parse_descriptor(value) : -1;
}

ConnectionState ConnectionState::of(const QGuiApplication& application, int wayland_socket) {
    ConnectionState state;
    if (auto* x11 = application.nativeInterface<QNativeInterface::QX11Application>()) {
        state.m_display = Display::X11;
        state.m_x11 = x11->connection();
    } else if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        state.m_display = Display::Wayland;
        state.m_wayland_socket =
            wayland_socket >= 0 ? wayland_socket : socket_connected_to(wayland_socket_path());
    }
    return state;
}

bool ConnectionState::broken() const {
    switch (m_display) {
    case Display::X11:
        return m_x11 && xcb_connection_has_error(m_x11) != 0;
    case Display::Wayland: {
        if (m_wayland_socket < 0) return false;
        pollfd socket{m_wayland_socket, 0, 0};
        // Hang-up and error are reported whatever events are asked for.
        return poll(&socket, 1, 0) == 1 && (socket.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
    }
    case Display::Other:
        return false;
    }
    return false;
}

} // namespace rt
