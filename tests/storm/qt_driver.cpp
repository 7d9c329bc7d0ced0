#include "tests/storm/qt_driver.h"

#include "tests/qt/accessible_action.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>

namespace storm {

QtDriver::QtDriver(const rt::FormDefinition& definition, Fault fault)
    : m_form(definition, m_window, "Quenlor") {
    m_form.open();
    if (!QTest::qWaitForWindowExposed(m_window.window())) qFatal("the window was never shown");
    if (fault != Fault::ReportOnlyClicks) return;
    for (rt::Row row = 0; row < m_form.size(); ++row) {
        auto* button = qobject_cast<QAbstractButton*>(m_window.widget(row));
        if (!button || !button->isCheckable()) continue;
        QObject::disconnect(button, &QAbstractButton::toggled, nullptr, nullptr);
        if (auto* box = qobject_cast<QCheckBox*>(button))
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
            QObject::disconnect(box, &QCheckBox::checkStateChanged, nullptr, nullptr);
#else
            QObject::disconnect(box, &QCheckBox::stateChanged, nullptr, nullptr);
#endif
        QObject::connect(button, &QAbstractButton::clicked,
                         [this, row] { m_form.user_set_value(row, value(row)); });
    }
}

void QtDriver::act(int target) {
    qt_test::act(m_window.widget(*row_of(m_form, target)));
}

void QtDriver::click(int target) {
    const rt::PixelRect rect =
        rt::to_pixels(m_form.control(*row_of(m_form, target)).rect, rt::standard_dpi);
    const QPoint middle(rect.left + rect.width / 2, rect.top + rect.height / 2);
    QTest::mouseClick(m_window.window()->windowHandle(), Qt::LeftButton, {}, middle);
}

void QtDriver::key(Key key) {
    struct Stroke {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    static const Stroke strokes[] = {
        {Qt::Key_Tab, {}},
        {Qt::Key_Backtab, Qt::ShiftModifier},
        {Qt::Key_Space, {}},
        {Qt::Key_Return, {}},
        {Qt::Key_Escape, {}},
        {Qt::Key_Delete, {}},
        {Qt::Key_Backspace, {}},
        {Qt::Key_V, Qt::ControlModifier},
        {Qt::Key_X, Qt::ControlModifier},
        {Qt::Key_Left, {}},
        {Qt::Key_Right, {}},
        {Qt::Key_Up, {}},
        {Qt::Key_Down, {}},
    };
    const Stroke& stroke = strokes[static_cast<int>(key)];
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : m_window.window(), stroke.key, stroke.modifiers);
}

void QtDriver::type(const std::string& text) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClicks(focus ? focus : m_window.window(), QString::fromStdString(text));
}

bool QtDriver::shown(rt::Row row) {
    return m_window.widget(row)->isVisible();
}

std::int16_t QtDriver::value(rt::Row row) {
    QWidget* widget = m_window.widget(row);
    if (auto* option = qobject_cast<QRadioButton*>(widget))
        return option->isChecked() ? rt::True : rt::False;
    const Qt::CheckState state = qobject_cast<QCheckBox*>(widget)->checkState();
    if (state == Qt::PartiallyChecked) return rt::Grayed;
    return state == Qt::Checked ? rt::Checked : rt::Unchecked;
}

std::string QtDriver::window_text(rt::Row row) {
    return qobject_cast<QTextEdit*>(m_window.widget(row))->toPlainText().toStdString();
}

std::optional<rt::Row> QtDriver::focused() {
    QWidget* focus = QApplication::focusWidget();
    for (rt::Row row = 0; row < m_form.size(); ++row)
        if (m_window.widget(row) == focus) return row;
    return std::nullopt;
}

} // namespace storm
