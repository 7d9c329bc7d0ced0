#include "runtime/qt/display_connection.h"

#include <QApplication>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
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

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// "WAYLAND_DISPLAY=wayland-0, DISPLAY=:0": the displays the toolkit may use.
std::string displays() {
    std::string named;
    for (const char* name : {"WAYLAND_DISPLAY", "DISPLAY"}) {
        const std::string value = variable(name);
        if (value.empty()) continue;
        if (!named.empty()) named += ", ";
        named += std::string(name) + "=" + value;
    }
    return named;
}

// Ends the process at once, from whichever thread found the display gone:
// nothing of the window is left to tear down.
[[noreturn]] void give_up(const std::string& what) {
    const std::string line = g_title + ": " + what + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    std::_Exit(no_display_exit_status);
}

[[noreturn]] void cannot_connect() {
    const std::string named = displays();
    if (named.empty() && variable("QT_QPA_PLATFORM").empty())
        give_up("cannot open a window: no display (set DISPLAY or WAYLAND_DISPLAY)");
    give_up("cannot open a window: cannot connect to the display" +
            (named.empty() ? std::string() : " (" + named + ")"));
}

// The toolkit's words, X11's and Wayland's, just before it exits because the
// connection to the display broke.
bool says_connection_broke(const QString& text) {
    return text.startsWith(QLatin1String("The X11 connection broke")) ||
           text.startsWith(QLatin1String("The Wayland connection broke")) ||
           text.startsWith(QLatin1String("The Wayland connection experienced a fatal error"));
}

void handle_message(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (g_connecting) {
        if (type == QtFatalMsg) cannot_connect();
        const std::lock_guard lock(g_held_mutex);
        g_held.push_back({type, context.category ? context.category : "", text});
        return;
    }
    if (type == QtWarningMsg && says_connection_broke(text))
        give_up("lost the connection to the display (" + displays() + ")");
    g_toolkit_handler(type, context, text);
}

void pass_on_held_messages() {
    const std::lock_guard lock(g_held_mutex);
    for (const HeldMessage& message : g_held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
        g_toolkit_handler(message.type, context, message.text);
    }
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
    g_connecting = true;
    g_toolkit_handler = qInstallMessageHandler(handle_message);
    auto application = std::make_unique<QApplication>(argc, argv);
    g_connecting = false;
    pass_on_held_messages();
    return application;
}

} // namespace rt
