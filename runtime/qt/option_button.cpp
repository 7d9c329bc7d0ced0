#include "runtime/qt/option_button.h"

namespace rt {

bool OptionButton::hitButton(const QPoint& position) const {
    return rect().contains(position);
}

} // namespace rt
