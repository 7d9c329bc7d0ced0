// The Qt window of the news selection form: what only this toolkit can get
// wrong. Places, colours and fonts are read from the widgets and from a grab
// of the window's pixels.

#include "form/exercise_statement.h"
#include "form/quenlor_form.h"
#include "runtime/form.h"
#include "runtime/qt/qt_backend.h"
#include "runtime/qt/text_box.h"
#include "tests/qt/open_window.h"
#include "tests/window_expectations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

class QuenlorWindow : public OpenWindow {
protected:
    QWidget* widget(const char* array, int index) const {
        return backend.widget(form->find(array, static_cast<rt::Index>(index)).value());
    }
    QTextEdit* text_box() const { return qobject_cast<QTextEdit*>(widget("Text1", 0)); }

    void click(const char* array, int index) {
        const QPoint middle = widget(array, index)->geometry().center();
        QTest::mouseClick(backend.window()->windowHandle(), Qt::LeftButton, {}, middle);
    }
    void key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    std::string text() { return (*form)["Text1"].Item(0).Text(); }
    QImage grab() const { return backend.window()->grab().toImage(); }
};

TEST_F(QuenlorWindow, IsAFixedWindowWithItsCaptionIconAndOnlyACloseBox) {
    QWidget* window = backend.window();
    const QSize client(expected::client_width(), expected::client_height());
    EXPECT_EQ(window->windowTitle().toStdString(), expected::window().caption);
    EXPECT_EQ(window->size(), client);
    EXPECT_EQ(window->minimumSize(), client);
    EXPECT_EQ(window->maximumSize(), client);
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window->windowIcon().availableSizes().contains(QSize(32, 32)));
}

TEST_F(QuenlorWindow, EveryControlIsAtItsPlace) {
    for (const expected::Place& place : expected::places())
        EXPECT_EQ(widget(place.array.c_str(), place.index)->geometry(),
                  QRect(place.left, place.top, place.width, place.height))
            << place.array << "(" << place.index << ")";
}

TEST_F(QuenlorWindow, UsesTheSerifFontAt12PointsOrItsMetricTwin) {
    for (QWidget* control : {widget("Label1", 0), widget("Text1", 0), widget("Check2", 6)}) {
        const QFontInfo font(control->font());
        EXPECT_TRUE(font.family() == "Times New Roman" || font.family() == "Liberation Serif")
            << font.family().toStdString();
        EXPECT_EQ(font.pixelSize(), 16);
        EXPECT_FALSE(font.bold());
    }
}

// Samples a grab of the window at each point.
void expect_colours(const QImage& image, const std::vector<expected::Sample>& samples) {
    for (const expected::Sample& sample : samples)
        EXPECT_EQ(image.pixelColor(sample.x, sample.y),
                  QColor(sample.red, sample.green, sample.blue))
            << sample.where << " at " << sample.x << "," << sample.y;
}

TEST_F(QuenlorWindow, BackColoursFillEachControl) {
    click("Option1", 0);
    expect_colours(grab(), expected::bad_news_title_colours());
    click("Option1", 1);
    expect_colours(grab(), expected::good_news_colours());
}

TEST_F(QuenlorWindow, CommandButtonsHaveARaisedEdgeAroundTheirFill) {
    const QImage image = grab();
    const QColor top_left = image.pixelColor(384, 40);
    const QColor bottom_right = image.pixelColor(384 + 80, 40 + 24);
    EXPECT_GT(top_left.lightness(), 200) << "light upper edge";
    EXPECT_LT(bottom_right.lightness(), 130) << "dark lower edge";
}

TEST_F(QuenlorWindow, TheHeadingIsCentredAcrossItsOwnWidth) {
    const QImage image = grab();
    int first = -1, last = -1;
    for (int x = 64; x < 64 + 305; ++x)
        for (int y = 0; y < 25; ++y)
            if (image.pixelColor(x, y).lightness() < 100) {
                if (first < 0) first = x;
                last = x;
            }
    ASSERT_GE(first, 0) << "the heading's text is drawn";
    EXPECT_NEAR((first + last) / 2.0, 64 + 305 / 2.0, 3.0);
}

TEST_F(QuenlorWindow, TheLockedTextBoxCanBeSelectedAndCopiedButNotChanged) {
    QTextEdit* box = text_box();
    const QString shown = box->toPlainText();
    QApplication::clipboard()->setText(QStringLiteral("поставено"));

    // Typing, Backspace, Delete and Enter are the storms' to try.
    box->setFocus();
    key(Qt::Key_V, Qt::ControlModifier);
    key(Qt::Key_A, Qt::ControlModifier);
    key(Qt::Key_X, Qt::ControlModifier);
    key(Qt::Key_Delete);
    EXPECT_EQ(box->toPlainText(), shown);
    EXPECT_EQ(text(), quenlor::exercise_statement);
    EXPECT_FALSE(box->acceptDrops());

    key(Qt::Key_A, Qt::ControlModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), shown);

    key(Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < 3; ++i) key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(box->textCursor().selectedText(), QStringLiteral("Да "));
}

// Alt with the first letter of any button's caption, the captions taken from
// the form (a command button may draw its caption itself), presses, ticks
// and chooses nothing; and no button holds a shortcut.
TEST_F(QuenlorWindow, NoCaptionIsAnAccessKey) {
    click("Option1", 0); // the bad news titles shown, so that they could take keys
    const std::string text_before = text();
    const auto values = [this] {
        std::vector<bool> checked;
        for (QAbstractButton* button : backend.window()->findChildren<QAbstractButton*>())
            checked.push_back(button->isChecked());
        return checked;
    };
    const std::vector<bool> values_before = values();
    int commands = 0;
    for (rt::Row row = 0; row < form->size(); ++row) {
        const rt::ControlDefinition& control = form->control(row);
        if (control.kind != rt::ControlKind::OptionButton &&
            control.kind != rt::ControlKind::CheckBox &&
            control.kind != rt::ControlKind::CommandButton)
            continue;
        commands += control.kind == rt::ControlKind::CommandButton;
        auto* button = qobject_cast<QAbstractButton*>(backend.widget(row));
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->shortcut().isEmpty()) << button->shortcut().toString().toStdString();
        EXPECT_TRUE(QKeySequence::mnemonic(button->text()).isEmpty())
            << button->text().toStdString();
        const QString caption =
            QString::fromStdString((*form)[control.array].Item(control.index).Caption());
        const QString letter = caption.left(1).toUpper();
        ASSERT_FALSE(letter.isEmpty());
        widget("Text1", 0)->setFocus();
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key(letter[0].unicode()),
                            letter.toLower(), Qt::AltModifier);
        EXPECT_EQ(text(), text_before) << "Alt+" << letter.toStdString();
        EXPECT_EQ(values(), values_before) << "Alt+" << letter.toStdString();
    }
    EXPECT_EQ(commands, 2);
}

// The first row of each band of dark rows in the text box's visible part,
// read from a grab of the window, right of the text cursor: where each
// line's ink begins.
std::vector<int> ink_line_tops(const QImage& image, const QRect& view) {
    std::vector<int> tops;
    bool in_line = false;
    for (int y = view.top(); y <= view.bottom(); ++y) {
        bool ink = false;
        for (int x = view.left() + 8; x < view.left() + 40 && !ink; ++x)
            ink = qGray(image.pixel(x, y)) < 128;
        if (ink && !in_line) tops.push_back(y);
        in_line = ink;
    }
    return tops;
}

TEST_F(QuenlorWindow, SpacesTheTextBoxLinesAsTheFontAsksOnEveryQt) {
    // Qt 6.4 and 6.8 round the font's spacing differently; the box does not.
    EXPECT_EQ(dynamic_cast<rt::TextBox*>(text_box())->line_spacing(), 19);
    (*form)["Text1"].Item(0).set_Text("Ж\r\nЖ\r\nЖ\r\nЖ\r\nЖ\r\nЖ\r\nЖ\r\nЖ\r\nЖ");
    QWidget* view = text_box()->viewport();
    const QRect shown(view->mapTo(backend.window(), QPoint(0, 0)), view->size());
    // Six whole lines, 19 pixels apart, and no part of a seventh.
    EXPECT_EQ(ink_line_tops(grab(), shown), (std::vector<int>{241, 260, 279, 298, 317, 336}));
}

} // namespace
