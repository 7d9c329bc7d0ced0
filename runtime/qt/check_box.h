#pragma once

#include <QCheckBox>

namespace rt {

// A check box that takes a click anywhere in its rectangle, as a person
// expects of a row with a coloured background. A click toggles it as the
// runtime's toggled() says; grayed is set only from code.
class CheckBox final : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& position) const override;
    void nextCheckState() override;
};

} // namespace rt
