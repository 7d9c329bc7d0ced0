#pragma once

#include <QCheckBox>

namespace rt {

// A check box that a click turns from checked to unchecked and from anything
// else, grayed included, to checked. Grayed is set only from code.
class CheckBox final : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override;
};

} // namespace rt
