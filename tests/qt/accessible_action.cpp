#include "tests/qt/accessible_action.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>

namespace qt_test {

void act(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    QAccessibleActionInterface* actions = face ? face->actionInterface() : nullptr;
    if (!actions) return;
    const QStringList names = actions->actionNames();
    if (names.contains(QAccessibleActionInterface::toggleAction())) {
        actions->doAction(QAccessibleActionInterface::toggleAction());
    } else if (names.contains(QAccessibleActionInterface::pressAction())) {
        actions->doAction(QAccessibleActionInterface::pressAction());
        // The press shows the button down for a moment, then clicks it.
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (button && !QTest::qWaitFor([button] { return !button->isDown(); }, 1000))
            qWarning("the pressed button never came up");
    }
}

} // namespace qt_test
