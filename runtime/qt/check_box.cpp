#include "runtime/qt/check_box.h"

#include "runtime/types.h"

namespace rt {

bool CheckBox::hitButton(const QPoint& position) const {
    return rect().contains(position);
}

void CheckBox::nextCheckState() {
    const std::int16_t value = checkState() == Qt::Checked ? Checked : Unchecked;
    setCheckState(rt::toggled(value) == Checked ? Qt::Checked : Qt::Unchecked);
}

} // namespace rt
