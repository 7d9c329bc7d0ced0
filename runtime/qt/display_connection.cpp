#include "runtime/qt/display_connection.h"

#include "runtime/qt/connection_state.h"

#include <QApplication>

#include <langinfo.h>

#include <atomic>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

namespace {

// What the toolkit said while it connected: kept back, and passed on only
// once the connection stands, so that a failure reads as one line.
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};

std::string g_title;
QtMessageHandler g_toolkit_handler = nullptr;
std::atomic<bool> g_connecting = false;
std::mutex g_held_mutex;
std::vector<HeldMessage> g_held;
// Set once connected, before g_connecting turns false.
ConnectionState g_connection;

// Both the toolkit's event thread and the main thread may find the display
// gone at once: the first to get here says so, and any other waits here for
// the process to end, so that the line is said once.
void first_to_end_or_wait() {
    static std::mutex ending;
    ending.lock(); // never unlocked: std::_Exit follows
}

// Ends the process at once, from whichever thread found the display gone:
// nothing of the window is left to tear down.
[[noreturn]] void give_up(const std::string& what) {
    first_to_end_or_wait();
    const std::string line = g_title + ": " + what + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    std::_Exit(no_display_exit_status);
}

// With g_held_mutex held.
void pass_on_held() {
    for (const HeldMessage& message : g_held) {
        const QMessageLogContext context(
            nullptr, 0, nullptr, message.category.empty() ? nullptr : message.category.c_str());
        g_toolkit_handler(message.type, context, message.text);
    }
}

// The displays the toolkit connects to, as the desktop names them: read only
// to name the display in the line that says it could not be opened.
std::string x11_display() {
    const char* value = std::getenv("DISPLAY");
    return value ? value : "";
}

std::string wayland_display() {
    const char* value = std::getenv("WAYLAND_DISPLAY");
    return value ? value : "";
}

// The display a platform plugin of the toolkit connects to, in words.
std::string display_of(const std::string& platform) {
    if (platform == "xcb") {
        const std::string display = x11_display();
        return display.empty() ? "the X display (DISPLAY is not set)" : "the X display " + display;
    }
    if (platform.starts_with("wayland")) {
        const std::string display = wayland_display();
        return "the Wayland display " + (display.empty() ? std::string("wayland-0") : display);
    }
    return "the display of the toolkit's platform \"" + platform + "\"";
}

// The displays the toolkit tried, from its own words on each platform plugin
// that it could not start ("Could not load the Qt platform plugin "xcb" ...").
std::string displays_tried() {
    std::string tried;
    static const QLatin1String marker("the Qt platform plugin \"");
    for (const HeldMessage& message : g_held) {
        const qsizetype start = message.text.indexOf(marker);
        if (start < 0) continue;
        const qsizetype from = start + marker.size();
        const qsizetype end = message.text.indexOf(QLatin1Char('"'), from);
        if (end < 0) continue;
        const std::string display = display_of(message.text.mid(from, end - from).toStdString());
        if (tried.find(display) == std::string::npos)
            tried += (tried.empty() ? "" : " or ") + display;
    }
    if (tried.empty())
        tried = "the display (DISPLAY=" + x11_display() + ", WAYLAND_DISPLAY=" + wayland_display() +
                ")";
    return tried;
}

// The toolkit could not connect. With no display named at all, one line says
// so; otherwise one line names the display it tried, and the toolkit's own
// messages follow it, for they say why.
[[noreturn]] void give_up_connecting(const QString& fatal_text) {
    if (x11_display().empty() && wayland_display().empty())
        give_up("cannot open a window: no display (set DISPLAY or WAYLAND_DISPLAY to one that "
                "is running)");
    first_to_end_or_wait();
    const std::lock_guard lock(g_held_mutex);
    const std::string line = g_title + ": cannot open a window on " + displays_tried() + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    pass_on_held();
    const std::string fatal = fatal_text.trimmed().toStdString() + "\n";
    std::fwrite(fatal.data(), 1, fatal.size(), stderr);
    std::fflush(stderr);
    std::_Exit(no_display_exit_status);
}

void handle_message(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (g_connecting) {
        if (type == QtFatalMsg) give_up_connecting(text);
        const std::lock_guard lock(g_held_mutex);
        g_held.push_back({type, context.category ? context.category : "", text});
        return;
    }
    // The toolkit says something before it exits on a broken connection;
    // whatever its words, the connection itself tells whether that is why.
    if (g_connection.broken())
        give_up(g_connection.display() == ConnectionState::Display::Wayland
                    ? "lost the connection to the Wayland display"
                    : "lost the connection to the X display");
    g_toolkit_handler(type, context, text);
}

// Qt works in UTF-8: started with no locale, as on a bare system or from a
// service, it switches the character type to C.UTF-8 itself, and from Qt 6.8
// on says so in four lines on standard error. The program makes the same
// switch first, quietly. (Under a locale set for everything, LC_ALL, the
// switch is Qt's to make.)
void use_utf8_characters() {
    if (!std::setlocale(LC_CTYPE, "")) return;
    if (std::string_view(nl_langinfo(CODESET)) != "UTF-8") setenv("LC_CTYPE", "C.UTF-8", 1);
}

void pass_on_held_messages() {
    const std::lock_guard lock(g_held_mutex);
    pass_on_held();
    g_held.clear();
}

} // namespace

std::unique_ptr<QApplication> connect_to_display(std::string_view title,
                                                 std::string_view desktop_id) {
    static int argc = 1;
    static char name[] = "quenlor";
    static char* argv[] = {name, nullptr};
    g_title = title;
    // Wayland's app id; X11's window class is set on the window itself.
    QGuiApplication::setDesktopFileName(
        QString::fromUtf8(desktop_id.data(), static_cast<qsizetype>(desktop_id.size())));
    const int wayland_socket = ConnectionState::wayland_socket_handed_over();
    g_connecting = true;
    g_toolkit_handler = qInstallMessageHandler(handle_message);
    use_utf8_characters();
    auto application = std::make_unique<QApplication>(argc, argv);
    g_connection = ConnectionState::of(*application, wayland_socket);
    g_connecting = false;
    pass_on_held_messages();
    return application;
}

} // namespace rt
