#include "runtime/qt/check_box.h"

namespace rt {

bool CheckBox::hitButton(const QPoint& position) const {
    return rect().contains(position);
}

} // namespace rt
