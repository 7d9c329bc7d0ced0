// What assistive technology learns of the Qt window, read through Qt's
// accessibility interface: a role and a name for every control, and the
// heading as the window's description. (That a screen reader is told of each
// move of the focus is seen on the accessibility bus, in tests/accessibility.)

#include "form/quenlor_form.h"
#include "runtime/form.h"
#include "runtime/qt/qt_backend.h"
#include "tests/qt/accessible_action.h"
#include "tests/qt/open_window.h"

#include <QAccessible>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

QAccessibleInterface* accessible(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

using Accessibility = OpenWindow;

QAccessible::Role role_of(rt::ControlKind kind) {
    switch (kind) {
    case rt::ControlKind::Label:
        return QAccessible::StaticText;
    case rt::ControlKind::OptionButton:
        return QAccessible::RadioButton;
    case rt::ControlKind::CheckBox:
        return QAccessible::CheckBox;
    case rt::ControlKind::CommandButton:
        return QAccessible::Button;
    case rt::ControlKind::TextBox:
        return QAccessible::EditableText;
    }
    return QAccessible::NoRole;
}

TEST_F(Accessibility, EveryControlHasARoleAndAName) {
    for (rt::Row row = 0; row < form->size(); ++row) {
        const rt::ControlDefinition& control = form->control(row);
        QAccessibleInterface* face = accessible(backend.widget(row));
        ASSERT_NE(face, nullptr) << control.array << control.index;
        EXPECT_EQ(face->role(), role_of(control.kind)) << control.array << control.index;
        const std::string name = face->text(QAccessible::Name).toStdString();
        if (control.kind == rt::ControlKind::TextBox)
            EXPECT_EQ(name, "Условие на задачата и изведеният избор");
        else
            EXPECT_EQ(name, form->state(row).text) << control.array << control.index;
    }
}

// The window is a window, and holds the controls alone, the option buttons
// in a group, each one that a person can see with a place and a name.
TEST_F(Accessibility, TheWindowIsAWindowOfNamedControls) {
    QAccessibleInterface* window = accessible(backend.window());
    EXPECT_EQ(window->role(), QAccessible::Window);
    ASSERT_EQ(window->childCount(), 18);
    for (int i = 0; i < window->childCount(); ++i) {
        QAccessibleInterface* child = window->child(i);
        EXPECT_FALSE(child->text(QAccessible::Name).isEmpty()) << "child " << i;
        if (!child->state().invisible) {
            EXPECT_FALSE(child->rect().isEmpty()) << "child " << i;
        }
    }
}

// The group lies where its buttons are, named by the heading.
TEST_F(Accessibility, TheOptionButtonsAreOneGroupNamedByTheHeading) {
    QAccessibleInterface* first = accessible(backend.widget(form->find("Option1", 0).value()));
    QAccessibleInterface* second = accessible(backend.widget(form->find("Option1", 1).value()));
    QAccessibleInterface* group = first->parent();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->role(), QAccessible::Grouping);
    EXPECT_EQ(group->text(QAccessible::Name), QStringLiteral("Избор на тип и вид новина"));
    ASSERT_EQ(group->childCount(), 2);
    EXPECT_EQ(group->indexOfChild(first), 0);
    EXPECT_EQ(group->indexOfChild(second), 1);
    QWidget* window = backend.window();
    const QRect buttons = backend.widget(form->find("Option1", 0).value())
                              ->geometry()
                              .united(backend.widget(form->find("Option1", 1).value())->geometry());
    EXPECT_EQ(group->rect(), QRect(window->mapToGlobal(buttons.topLeft()), buttons.size()));
}

TEST_F(Accessibility, TheHeadingDescribesTheWindow) {
    QAccessibleInterface* window = accessible(backend.window());
    EXPECT_EQ(window->text(QAccessible::Name).toStdString(), quenlor::form().window.caption);
    EXPECT_EQ(window->text(QAccessible::Description), QStringLiteral("Избор на тип и вид новина"));
}

// Qt clears the chosen option as it chooses another, before the runtime has
// said whether it takes the choice: where it does not (the other is hidden),
// the chosen one shows chosen again.
TEST_F(Accessibility, AToggleRefusedToAHiddenOptionLeavesTheChosenOneChosen) {
    auto* bad = qobject_cast<QRadioButton*>(backend.widget(form->find("Option1", 0).value()));
    auto* good = qobject_cast<QRadioButton*>(backend.widget(form->find("Option1", 1).value()));
    qt_test::act(bad);
    ASSERT_EQ((*form)["Option1"].Item(0).Value(), rt::True);
    (*form)["Option1"].Item(1).set_Visible(rt::False);
    qt_test::act(good);
    EXPECT_EQ((*form)["Option1"].Item(1).Value(), rt::False);
    EXPECT_TRUE(bad->isChecked());
    EXPECT_FALSE(good->isChecked());
}

} // namespace
