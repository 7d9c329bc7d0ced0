#pragma once

#include "runtime/keyboard_navigation.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace rt {

class FormReports;

// The form's window. It takes the runtime's keys before its controls see
// them and carries out the runtime's answer (answer_key): Qt's own handling
// would make a group of option buttons one tab stop and step by geometry.
class QtWindow final : public QWidget {
public:
    // widgets holds the form's controls by row.
    QtWindow(Qt::WindowFlags flags, FormReports& form, const std::vector<QWidget*>& widgets);

    // Watches widget's keys: every control of the form.
    void take_keys_of(QWidget& widget);

    // Makes assistive technology see the form's window as a window (a frame
    // named by its caption), not as a plain widget. Once per process.
    static void expose_as_window();

protected:
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<Row> row_of(const QWidget* widget) const;
    bool carry_out(std::optional<Row> focused, Key key, bool repeat);

    FormReports& m_form;
    const std::vector<QWidget*>& m_widgets;
};

} // namespace rt
