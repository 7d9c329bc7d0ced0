#pragma once

#include <QRadioButton>

namespace rt {

// An option button that takes a click anywhere in its rectangle, not only on
// its circle and caption.
class OptionButton final : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& position) const override;
};

} // namespace rt
