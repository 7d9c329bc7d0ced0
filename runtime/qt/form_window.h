#pragma once

#include <QWidget>

#include <vector>

namespace rt {

// The form's window. Tab and Shift+Tab move through the controls in the
// form's own order, stopping on every option button: Qt's default makes a
// group of option buttons a single stop.
class FormWindow final : public QWidget {
public:
    FormWindow(Qt::WindowFlags flags, const std::vector<QWidget*>& tab_order);

protected:
    bool focusNextPrevChild(bool next) override;

private:
    const std::vector<QWidget*>& m_tab_order;
};

} // namespace rt
