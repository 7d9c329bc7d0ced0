#pragma once

#include <QRect>
#include <QWidget>

#include <vector>

namespace rt {

// The form's option buttons held as one group, which assistive technology
// sees as a named grouping (a panel on AT-SPI) around them; Qt also keeps
// buttons that share a parent exclusive. It lies over the whole window, so
// that its buttons keep their places in the window's coordinates, draws
// nothing, and takes the mouse only where its buttons are: the window looks
// and answers clicks as without it.
class OptionGroup final : public QWidget {
public:
    // places are the buttons' places in the window.
    OptionGroup(QWidget& window, const std::vector<QRect>& places, const QString& name);

    // Makes assistive technology see every OptionGroup as a grouping as large
    // as its buttons together. Once per process.
    static void expose_as_group();
};

} // namespace rt
