#include "runtime/qt/form_window.h"

#include <algorithm>

namespace rt {

FormWindow::FormWindow(Qt::WindowFlags flags, const std::vector<QWidget*>& tab_order)
    : QWidget(nullptr, flags), m_tab_order(tab_order) {}

bool FormWindow::focusNextPrevChild(bool next) {
    const auto count = static_cast<std::ptrdiff_t>(m_tab_order.size());
    if (count == 0) return false;
    const auto found = std::find(m_tab_order.begin(), m_tab_order.end(), focusWidget());
    std::ptrdiff_t at =
        found == m_tab_order.end() ? (next ? -1 : count) : found - m_tab_order.begin();
    for (std::ptrdiff_t step = 0; step < count; ++step) {
        at = (at + (next ? 1 : count - 1)) % count;
        QWidget* candidate = m_tab_order[static_cast<std::size_t>(at)];
        // Qt takes the tab-focus bit away from unchecked option buttons, so
        // only a control that takes no focus at all is passed over.
        if (candidate->isVisible() && candidate->isEnabled() &&
            candidate->focusPolicy() != Qt::NoFocus) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

} // namespace rt
