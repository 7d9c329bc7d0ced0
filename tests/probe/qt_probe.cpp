#include "tests/probe/qt_probe.h"

#include "tests/qt/accessible_action.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

namespace probe {
namespace {

struct Stroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

Stroke stroke(Key key) {
    switch (key) {
    case Key::Tab:
        return {Qt::Key_Tab, {}};
    case Key::BackTab:
        return {Qt::Key_Backtab, Qt::ShiftModifier};
    case Key::Left:
        return {Qt::Key_Left, {}};
    case Key::Right:
        return {Qt::Key_Right, {}};
    case Key::Up:
        return {Qt::Key_Up, {}};
    case Key::Down:
        return {Qt::Key_Down, {}};
    case Key::Space:
        return {Qt::Key_Space, {}};
    case Key::Enter:
        return {Qt::Key_Return, {}};
    case Key::Escape:
        return {Qt::Key_Escape, {}};
    case Key::Delete:
        return {Qt::Key_Delete, {}};
    case Key::Backspace:
        return {Qt::Key_Backspace, {}};
    case Key::Paste:
        return {Qt::Key_V, Qt::ControlModifier};
    case Key::Cut:
        return {Qt::Key_X, Qt::ControlModifier};
    }
    return {Qt::Key_unknown, {}};
}

} // namespace

QtProbe::~QtProbe() {
    m_form.reset();
}

rt::Form& QtProbe::open(const rt::FormDefinition& definition, std::string_view name) {
    m_form.emplace(definition, m_backend, name);
    m_form->open();
    if (!m_form->ended() && !QTest::qWaitForWindowExposed(m_backend.window()))
        qFatal("the window was never shown");
    return *m_form;
}

// Through the window, as the window system delivers a click: it goes to
// whichever widget is visible at that point.
void QtProbe::click(rt::Row row) {
    const rt::PixelRect rect = rt::to_pixels(m_form->control(row).rect, rt::standard_dpi);
    const QPoint middle(rect.left + rect.width / 2, rect.top + rect.height / 2);
    watch_for_message_boxes(
        [&] { QTest::mouseClick(m_backend.window()->windowHandle(), Qt::LeftButton, {}, middle); });
}

void QtProbe::act(rt::Row row) {
    watch_for_message_boxes([&] { qt_test::act(m_backend.widget(row)); });
}

// Key by key, each carrying its text, as a keyboard of any layout sends it.
void QtProbe::type(std::string_view text) {
    QWidget* target = key_target();
    for (QChar letter : QString::fromUtf8(text.data(), qsizetype(text.size()))) {
        const auto code = static_cast<Qt::Key>(letter.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, target, code, QString(letter), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, target, code, QString(letter), Qt::NoModifier);
    }
}

void QtProbe::press(Key key) {
    const Stroke pressed = stroke(key);
    watch_for_message_boxes([&] { QTest::keyClick(key_target(), pressed.key, pressed.modifiers); });
}

// Qt marks the repeats of a held key as auto-repeated presses.
void QtProbe::hold(Key key) {
    const Stroke held = stroke(key);
    QWidget* target = key_target();
    const QString text = key == Key::Space ? QStringLiteral(" ") : QString();
    for (const bool repeat : {false, true})
        QTest::simulateEvent(target, true, held.key, held.modifiers, text, repeat);
    QTest::simulateEvent(target, false, held.key, held.modifiers, text, false);
}

std::optional<rt::Row> QtProbe::focus() const {
    for (rt::Row row = 0; row < m_form->size(); ++row)
        if (m_backend.widget(row) == QApplication::focusWidget()) return row;
    return std::nullopt;
}

bool QtProbe::window_shown() const {
    return m_backend.window() && m_backend.window()->isVisible();
}

bool QtProbe::shown(rt::Row row) const {
    return m_backend.widget(row)->isVisible();
}

std::int16_t QtProbe::shown_value(rt::Row row) const {
    QWidget* widget = m_backend.widget(row);
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        if (box->checkState() == Qt::PartiallyChecked) return rt::Grayed;
        return box->isChecked() ? rt::Checked : rt::Unchecked;
    }
    return qobject_cast<QAbstractButton*>(widget)->isChecked() ? rt::True : rt::False;
}

std::string QtProbe::shown_text(rt::Row row) const {
    return qobject_cast<QTextEdit*>(m_backend.widget(row))->toPlainText().toStdString();
}

// Keys go to whatever has the focus, or to the window.
QWidget* QtProbe::key_target() const {
    QWidget* focused = QApplication::focusWidget();
    return focused ? focused : m_backend.window();
}

template <typename Action> void QtProbe::watch_for_message_boxes(const Action& action) {
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        m_error_boxes.push_back((box->windowTitle() + ": " + box->text()).toStdString());
        box->done(QMessageBox::Ok);
    });
    timer.start();
    action();
    timer.stop();
}

std::unique_ptr<WindowProbe> make_probe() {
    return std::make_unique<QtProbe>();
}

} // namespace probe
