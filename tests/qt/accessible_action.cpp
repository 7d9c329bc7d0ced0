#include "tests/qt/accessible_action.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCoreApplication>
#include <QTest>
#include <QTimerEvent>

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
        // The press shows the button down for a moment, then its timer clicks
        // it. The timer's event is sent at once: the same click, without the
        // wait.
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (!button || !button->isDown()) return;
        if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
            for (const QAbstractEventDispatcher::TimerInfo& timer :
                 dispatcher->registeredTimers(button)) {
                QTimerEvent event(timer.timerId);
                QCoreApplication::sendEvent(button, &event);
            }
        }
        if (!QTest::qWaitFor([button] { return !button->isDown(); }, 1000))
            qWarning("the pressed button never came up");
    }
}

} // namespace qt_test
