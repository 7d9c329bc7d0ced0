#pragma once

class QWidget;

namespace qt_test {

// What a screen reader or switch tool does to a control through Qt's
// accessibility interface: its toggle action where it has one (check boxes,
// option buttons), else its press action (command buttons), through to the
// click that ends its animated press. A control with neither is left alone.
void act(QWidget* widget);

} // namespace qt_test
