#include "runtime/qt/qt_backend.h"
#include "tests/contract/harness.h"
#include "tests/contract/test_form.h"
#include "tests/qt/accessible_action.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

namespace contract {
namespace {

class QtHarness final : public Harness {
public:
    ~QtHarness() override { m_form.reset(); }

    rt::Form& open(const rt::FormDefinition& definition) override {
        static QtHarness* current = nullptr;
        current = this;
        set_window_probe([] {
            QWidget* window = current->m_backend.window();
            return window && window->isVisible();
        });
        m_form.emplace(definition, m_backend, "Contract");
        m_form->open();
        if (m_form->ended()) return *m_form;
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_backend.window()));
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

    bool act(rt::Row row) override {
        watch_for_message_boxes([&] { qt_test::act(m_backend.widget(row)); });
        return true;
    }

    void type(rt::Row row, std::string_view text) override {
        QWidget* widget = m_backend.widget(row);
        widget->setFocus();
        // Key by key, each carrying its text, as a keyboard of any layout sends it.
        for (QChar letter : QString::fromUtf8(text.data(), qsizetype(text.size()))) {
            const auto code = static_cast<Qt::Key>(letter.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Press, widget, code, QString(letter), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, code, QString(letter), Qt::NoModifier);
        }
    }

    void press(rt::Key key) override {
        watch_for_message_boxes(
            [&] { QTest::keyClick(key_target(), qt_key(key), key_modifiers(key)); });
    }

    // Qt marks the repeats of a held key as auto-repeated presses.
    void hold(rt::Key key) override {
        QWidget* target = key_target();
        const QString text = key == rt::Key::Space ? QStringLiteral(" ") : QString();
        for (const bool repeat : {false, true})
            QTest::simulateEvent(target, true, qt_key(key), key_modifiers(key), text, repeat);
        QTest::simulateEvent(target, false, qt_key(key), key_modifiers(key), text, false);
    }

    std::optional<rt::Row> focus() const override {
        for (rt::Row row = 0; row < m_form->size(); ++row)
            if (m_backend.widget(row) == QApplication::focusWidget()) return row;
        return std::nullopt;
    }

    bool window_shown() const override { return m_backend.window()->isVisible(); }
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
    static Qt::Key qt_key(rt::Key key) {
        static constexpr Qt::Key keys[] = {Qt::Key_Tab,   Qt::Key_Backtab, Qt::Key_Left,
                                           Qt::Key_Right, Qt::Key_Up,      Qt::Key_Down,
                                           Qt::Key_Space, Qt::Key_Return,  Qt::Key_Escape};
        return keys[static_cast<int>(key)];
    }
    static Qt::KeyboardModifiers key_modifiers(rt::Key key) {
        return key == rt::Key::BackTab ? Qt::ShiftModifier : Qt::NoModifier;
    }
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

std::unique_ptr<Harness> make_harness() {
    return std::make_unique<QtHarness>();
}

} // namespace contract
