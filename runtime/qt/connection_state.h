#pragma once

struct xcb_connection_t;
class QGuiApplication;

namespace rt {

// The application's connection to its display, asked whether it still
// stands: on X11 xcb's own error state, on Wayland the socket to the
// compositor, which a compositor that went away has hung up. Neither depends
// on how the toolkit words a broken connection.
class ConnectionState {
public:
    enum class Display { Other, X11, Wayland };

    // Read before the application connects: libwayland takes a socket handed
    // over in WAYLAND_SOCKET out of the environment as it connects.
    static int wayland_socket_handed_over();

    // The connection that application made; wayland_socket as above.
    static ConnectionState of(const QGuiApplication& application, int wayland_socket);

    Display display() const { return m_display; }
    // True once the display has closed the connection or it failed; never on
    // another platform.
    bool broken() const;

private:
    Display m_display = Display::Other;
    xcb_connection_t* m_x11 = nullptr;
    int m_wayland_socket = -1;
};

} // namespace rt
