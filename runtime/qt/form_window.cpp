#include "runtime/qt/form_window.h"

#include "runtime/keyboard_navigation.h"
#include "runtime/qt/wayland_frame.h"

#include <QAccessibleWidget>

#include <algorithm>

namespace rt {

FormWindow::FormWindow(Qt::WindowFlags flags, const Form& form,
                       const std::vector<QWidget*>& widgets)
    : QWidget(nullptr, flags), m_form(form), m_widgets(widgets) {}

namespace {

// The form's window, and the frame that holds it where the program draws
// its own (Wayland), are windows.
QAccessibleInterface* window_interface(const QString&, QObject* object) {
    if (dynamic_cast<FormWindow*>(object) || dynamic_cast<WaylandFrame*>(object))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

void FormWindow::expose_as_window() {
    static const bool installed = [] {
        QAccessible::installFactory(window_interface);
        return true;
    }();
    (void)installed;
}

bool FormWindow::focusNextPrevChild(bool next) {
    const auto focused = std::find(m_widgets.begin(), m_widgets.end(), focusWidget());
    std::optional<Row> from;
    if (focused != m_widgets.end()) from = static_cast<Row>(focused - m_widgets.begin());
    const std::optional<Row> to =
        next_tab_stop(m_form, from, next ? Direction::Forward : Direction::Backward);
    if (!to) return false;
    m_widgets[*to]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

} // namespace rt
