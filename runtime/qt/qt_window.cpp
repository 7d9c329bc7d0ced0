#include "runtime/qt/qt_window.h"

#include "runtime/form_reports.h"
#include "runtime/qt/wayland_frame.h"

#include <QAccessibleWidget>
#include <QKeyEvent>

#include <algorithm>

namespace rt {

QtWindow::QtWindow(Qt::WindowFlags flags, FormReports& form, const std::vector<QWidget*>& widgets)
    : QWidget(nullptr, flags), m_form(form), m_widgets(widgets) {}

namespace {

// The form's window, and the frame that holds it where the program draws
// its own (Wayland), are windows.
QAccessibleInterface* window_interface(const QString&, QObject* object) {
    if (dynamic_cast<QtWindow*>(object) || dynamic_cast<WaylandFrame*>(object))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

void QtWindow::expose_as_window() {
    static const bool installed = [] {
        QAccessible::installFactory(window_interface);
        return true;
    }();
    (void)installed;
}

namespace {

// The runtime's key for a key press, if it is one: without Ctrl, Alt or Meta.
std::optional<Key> runtime_key(const QKeyEvent& press) {
    if (press.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    switch (press.key()) {
    case Qt::Key_Tab:
        return press.modifiers() & Qt::ShiftModifier ? Key::BackTab : Key::Tab;
    case Qt::Key_Backtab:
        return Key::BackTab;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Space:
        return Key::Space;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Enter;
    case Qt::Key_Escape:
        return Key::Escape;
    default:
        return std::nullopt;
    }
}

} // namespace

void QtWindow::take_keys_of(QWidget& widget) {
    widget.installEventFilter(this);
}

std::optional<Row> QtWindow::row_of(const QWidget* widget) const {
    const auto found = std::find(m_widgets.begin(), m_widgets.end(), widget);
    if (found == m_widgets.end()) return std::nullopt;
    return static_cast<Row>(found - m_widgets.begin());
}

// True when the window took the key; false when it is the text box's own.
bool QtWindow::carry_out(std::optional<Row> focused, Key key, bool repeat) {
    const KeyAnswer answer = answer_key(m_form, focused, key, repeat);
    if (answer.to_text_box) return false;
    if (answer.focus) {
        const bool back = key == Key::BackTab || key == Key::Left || key == Key::Up;
        m_widgets[*answer.focus]->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    }
    if (answer.activate) activate(m_form, *answer.activate);
    return true;
}

bool QtWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const auto& press = static_cast<const QKeyEvent&>(*event);
    const std::optional<Key> key = runtime_key(press);
    if (!key) return false;
    return carry_out(row_of(static_cast<QWidget*>(watched)), *key, press.isAutoRepeat());
}

// Where Qt moves the focus itself (from the window when no control has it),
// it goes as Tab or Shift+Tab takes it.
bool QtWindow::focusNextPrevChild(bool next) {
    const Key key = next ? Key::Tab : Key::BackTab;
    const std::optional<Row> to = answer_key(m_form, row_of(focusWidget()), key).focus;
    if (!to) return false;
    m_widgets[*to]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

} // namespace rt
