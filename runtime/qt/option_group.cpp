#include "runtime/qt/option_group.h"

#include <QAccessibleWidget>
#include <QRegion>

namespace rt {

namespace {

// A grouping whose place on the screen is its buttons', not the window's.
class GroupInterface final : public QAccessibleWidget {
public:
    explicit GroupInterface(QWidget* group) : QAccessibleWidget(group, QAccessible::Grouping) {}

    QRect rect() const override {
        const QRect buttons = widget()->mask().boundingRect();
        return QRect(widget()->mapToGlobal(buttons.topLeft()), buttons.size());
    }
};

QAccessibleInterface* group_interface(const QString&, QObject* object) {
    if (auto* group = dynamic_cast<OptionGroup*>(object)) return new GroupInterface(group);
    return nullptr;
}

} // namespace

OptionGroup::OptionGroup(QWidget& window, const std::vector<QRect>& places, const QString& name)
    : QWidget(&window) {
    setGeometry(window.rect());
    QRegion buttons;
    for (const QRect& place : places) buttons += place;
    setMask(buttons);
    setAccessibleName(name);
}

void OptionGroup::expose_as_group() {
    static const bool installed = [] {
        QAccessible::installFactory(group_interface);
        return true;
    }();
    (void)installed;
}

} // namespace rt
