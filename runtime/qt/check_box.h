#pragma once

#include <QCheckBox>

namespace rt {

// A check box that takes a click anywhere in its rectangle, as a person
// expects of a row with a coloured background.
class CheckBox final : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& position) const override;
};

} // namespace rt
