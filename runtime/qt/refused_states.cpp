#include "runtime/qt/refused_states.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <chrono>

namespace rt {

namespace {

constexpr Qt::WindowStates refused = Qt::WindowMaximized | Qt::WindowFullScreen;
// A Wayland compositor takes a state as the window's only once the window
// has drawn itself after accepting it, and ignores a refusal that comes
// before: refuse once that frame is out. An X11 window manager takes the
// state at once, and so its refusal.
constexpr std::chrono::milliseconds wayland_refusal_delay(100);

class StateGuard final : public QObject {
public:
    explicit StateGuard(QWidget& window)
        : QObject(&window), m_window(window),
          m_wayland(QGuiApplication::platformName() == QLatin1String("wayland")) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::WindowStateChange) return false;
        if (watched == &m_window) {
            // The widget hears of each state it takes, whoever set it.
            if (m_window.windowState() & refused) refuse();
        } else if (m_refusing && event->spontaneous() &&
                   !(m_window.windowHandle()->windowStates() & refused)) {
            // The compositor's configure that ends the state is acknowledged,
            // but a Wayland compositor applies it only with the next frame,
            // which an unchanged window would not draw until something else
            // needed it: draw one now.
            m_refusing = false;
            m_window.update();
        }
        return false;
    }

private:
    void refuse() {
        m_refusing = m_wayland;
        QTimer::singleShot(m_wayland ? wayland_refusal_delay : std::chrono::milliseconds(0), this,
                           [this] {
                               const Qt::WindowStates state = m_window.windowState();
                               if (state & refused) m_window.setWindowState(state & ~refused);
                           });
    }

    QWidget& m_window;
    const bool m_wayland;
    bool m_refusing = false;
};

} // namespace

void refuse_maximised_and_full_screen(QWidget& window) {
    auto* guard = new StateGuard(window);
    window.installEventFilter(guard);
    // Its native window hears of every state the compositor reports, even
    // one that the widget already holds.
    window.winId();
    window.windowHandle()->installEventFilter(guard);
}

} // namespace rt
