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
    Qt::KeyboardModifiers modifiers = {};
};

constexpr KeyTable<Stroke, key_count> strokes = {
    {Key::Tab, {Qt::Key_Tab}},
    {Key::BackTab, {Qt::Key_Backtab, Qt::ShiftModifier}},
    {Key::Left, {Qt::Key_Left}},
    {Key::Right, {Qt::Key_Right}},
    {Key::Up, {Qt::Key_Up}},
    {Key::Down, {Qt::Key_Down}},
    {Key::Space, {Qt::Key_Space}},
    {Key::Enter, {Qt::Key_Return}},
    {Key::Escape, {Qt::Key_Escape}},
    {Key::Delete, {Qt::Key_Delete}},
    {Key::Backspace, {Qt::Key_Backspace}},
    {Key::Paste, {Qt::Key_V, Qt::ControlModifier}},
    {Key::Cut, {Qt::Key_X, Qt::ControlModifier}}};
static_assert(covers_every_key(strokes));

// The Qt window driven through real widget events: clicks go to the window
// at a control's place, keys to the widget that has the focus, assistive
// actions through each widget's accessibility interface.
class QtProbe final : public WindowProbe {
public:
    ~QtProbe() override { m_form.reset(); }

    rt::Form& open(const rt::FormDefinition& definition, std::string_view name) override {
        m_form.emplace(definition, m_backend, name);
        m_form->open();
        if (!m_form->ended() && !QTest::qWaitForWindowExposed(m_backend.window()))
            qFatal("the window was never shown");
        return *m_form;
    }

    // Through the window, as the window system delivers a click: it goes to
    // whichever widget is visible at that point.
    void click(rt::Row row) override {
        const rt::PixelRect rect = rt::to_pixels(m_form->control(row).rect, rt::standard_dpi);
        const QPoint middle(rect.left + rect.width / 2, rect.top + rect.height / 2);
        watch_for_message_boxes([&] {
            QTest::mouseClick(m_backend.window()->windowHandle(), Qt::LeftButton, {}, middle);
        });
    }

    void act(rt::Row row) override {
        watch_for_message_boxes([&] { qt_test::act(m_backend.widget(row)); });
    }

    // Key by key, each carrying its text, as a keyboard of any layout sends it.
    void type(std::string_view text) override {
        QWidget* target = key_target();
        for (QChar letter : QString::fromUtf8(text.data(), qsizetype(text.size()))) {
            const auto code = static_cast<Qt::Key>(letter.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Press, target, code, QString(letter), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, target, code, QString(letter), Qt::NoModifier);
        }
    }

    void press(Key key) override {
        const Stroke pressed = look_up(strokes, key);
        watch_for_message_boxes(
            [&] { QTest::keyClick(key_target(), pressed.key, pressed.modifiers); });
    }

    // Qt marks the repeats of a held key as auto-repeated presses.
    void hold(Key key) override {
        const Stroke held = look_up(strokes, key);
        QWidget* target = key_target();
        const QString text = key == Key::Space ? QStringLiteral(" ") : QString();
        for (const bool repeat : {false, true})
            QTest::simulateEvent(target, true, held.key, held.modifiers, text, repeat);
        QTest::simulateEvent(target, false, held.key, held.modifiers, text, false);
    }

    std::optional<rt::Row> focus() const override {
        for (rt::Row row = 0; row < m_form->size(); ++row)
            if (m_backend.widget(row) == QApplication::focusWidget()) return row;
        return std::nullopt;
    }

    bool window_shown() const override {
        return m_backend.window() && m_backend.window()->isVisible();
    }
    bool shown(rt::Row row) const override { return m_backend.widget(row)->isVisible(); }

    std::int16_t shown_value(rt::Row row) const override {
        QWidget* widget = m_backend.widget(row);
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            if (box->checkState() == Qt::PartiallyChecked) return rt::Grayed;
            return box->isChecked() ? rt::Checked : rt::Unchecked;
        }
        return qobject_cast<QAbstractButton*>(widget)->isChecked() ? rt::True : rt::False;
    }

    std::string shown_text(rt::Row row) const override {
        return qobject_cast<QTextEdit*>(m_backend.widget(row))->toPlainText().toStdString();
    }

    std::vector<std::string> error_boxes() const override { return m_error_boxes; }

    // Qt passes its accessibility events on only while a screen reader is
    // connected, which no public call can pretend: the announcement is
    // checked on the accessibility bus (e2e/installed_program_through_atspi).
    std::optional<std::vector<std::string>> announcements() const override { return std::nullopt; }

private:
    friend const rt::QtBackend& probe::qt_window(const WindowProbe& probe);

    // Keys go to whatever has the focus, or to the window.
    QWidget* key_target() const {
        QWidget* focused = QApplication::focusWidget();
        return focused ? focused : m_backend.window();
    }

    // Records and closes each message box that opens while action runs.
    template <typename Action> void watch_for_message_boxes(const Action& action) {
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

    rt::QtBackend m_backend;
    std::optional<rt::Form> m_form;
    std::vector<std::string> m_error_boxes;
};

} // namespace

const rt::QtBackend& qt_window(const WindowProbe& probe) {
    return dynamic_cast<const QtProbe&>(probe).m_backend;
}

std::unique_ptr<WindowProbe> make_probe() {
    return std::make_unique<QtProbe>();
}

} // namespace probe
