#pragma once

#include <QWidget>

#include <vector>

namespace rt {

class Form;

// The form's window. Tab and Shift+Tab move through the controls in the
// form's own order, stopping on every option button: Qt's default makes a
// group of option buttons a single stop.
class FormWindow final : public QWidget {
public:
    // widgets holds the form's controls by row.
    FormWindow(Qt::WindowFlags flags, const Form& form, const std::vector<QWidget*>& widgets);

    // Makes assistive technology see the form's window as a window (a frame
    // named by its caption), not as a plain widget. Once per process.
    static void expose_as_window();

protected:
    bool focusNextPrevChild(bool next) override;

private:
    const Form& m_form;
    const std::vector<QWidget*>& m_widgets;
};

} // namespace rt
