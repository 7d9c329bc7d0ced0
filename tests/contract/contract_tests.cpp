// The runtime's contract, as every backend must keep it. The same cases run
// against each backend through its window probe.

#include "runtime/run_time_error.h"
#include "tests/contract/test_form.h"
#include "tests/line_breaks.h"
#include "tests/probe/window_probe.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <utility>

namespace contract {
namespace {

using Log = std::vector<std::string>;
using probe::Key;

class Contract : public testing::Test {
protected:
    void SetUp() override {
        event_log().clear();
        window = probe::make_probe();
        static const probe::WindowProbe* current = nullptr;
        current = window.get();
        set_window_probe([] { return current->window_shown(); });
        form = &window->open(test_form(), "Contract");
    }

    // What a procedure wrote last, or "" when none ran.
    std::string last_event() const { return event_log().empty() ? "" : event_log().back(); }

    // Tab until the control has the focus, or round the window and more.
    void tab_to(rt::Row row) {
        for (int i = 0; i < 9 && window->focus() != row; ++i) window->press(Key::Tab);
    }

    std::unique_ptr<probe::WindowProbe> window;
    rt::Form* form = nullptr;
};

TEST_F(Contract, FormLoadRunsOnceBeforeTheWindowIsShownAndItsWritesReachTheWindow) {
    EXPECT_EQ(event_log(), Log{"Form_Load shown=0"});
    EXPECT_TRUE(window->window_shown());
    EXPECT_FALSE(window->shown(HiddenBox));
    EXPECT_TRUE(window->shown(FirstBox));
    EXPECT_EQ((*form)["Check1"].Item(2).Visible(), rt::False);
}

TEST_F(Contract, ItemReachesEachMemberByIndex) {
    EXPECT_EQ((*form)["Option1"].Item(0).Caption(), "Едно");
    EXPECT_EQ((*form)["Option1"].Item(1).Caption(), "Две");
    EXPECT_EQ((*form)["Check1"].Item(2).Caption(), "Скрита");
    EXPECT_EQ((*form)["Text1"].Item(1).Text(), "");
    EXPECT_EQ((*form)["Label1"].Item(0).Caption(), "Заглавие");
}

TEST_F(Contract, TextKeepsItsCrLfAndTheWindowShowsItsLines) {
    EXPECT_EQ((*form)["Text1"].Item(0).Text(), "Ред 1\r\nРед 2\r\n");
    EXPECT_EQ(window->shown_text(LockedText), "Ред 1\nРед 2\n");
    (*form)["Text1"].Item(0).set_Text("а\r\nб");
    EXPECT_EQ((*form)["Text1"].Item(0).Text(), "а\r\nб");
    EXPECT_EQ(window->shown_text(LockedText), "а\nб");
}

TEST_F(Contract, TypingChangesOnlyATextBoxThatIsNotLocked) {
    tab_to(LockedText);
    window->type("xyz");
    EXPECT_EQ((*form)["Text1"].Item(0).Text(), "Ред 1\r\nРед 2\r\n");
    EXPECT_EQ(window->shown_text(LockedText), "Ред 1\nРед 2\n");
    tab_to(FreeText);
    window->type("Аз");
    EXPECT_EQ((*form)["Text1"].Item(1).Text(), "Аз");
    EXPECT_TRUE(event_log().size() == 1) << "typing raises no procedure";
}

TEST_F(Contract, AClickTogglesAVisibleCheckBoxAndRaisesNothing) {
    window->click(FirstBox);
    EXPECT_EQ((*form)["Check1"].Item(0).Value(), rt::Checked);
    EXPECT_EQ(window->shown_value(FirstBox), rt::Checked);
    window->click(FirstBox);
    EXPECT_EQ((*form)["Check1"].Item(0).Value(), rt::Unchecked);
    EXPECT_EQ(window->shown_value(FirstBox), rt::Unchecked);
    EXPECT_EQ(window->shown_value(SecondBox), rt::Unchecked);
    EXPECT_EQ(event_log().size(), 1u);
}

// A click, an assistive tool's toggle and Space all turn a grayed box checked.
TEST_F(Contract, AClickAnActionOrSpaceTurnsAGrayedBoxChecked) {
    const std::pair<const char*, std::function<void()>> inputs[] = {
        {"a click", [&] { window->click(SecondBox); }},
        {"an action", [&] { window->act(SecondBox); }},
        {"Space", [&] {
             tab_to(SecondBox);
             window->press(Key::Space);
         }}};
    for (const auto& [name, input] : inputs) {
        SCOPED_TRACE(name);
        (*form)["Check1"].Item(1).set_Value(rt::Grayed);
        EXPECT_EQ(window->shown_value(SecondBox), rt::Grayed);
        input();
        EXPECT_EQ((*form)["Check1"].Item(1).Value(), rt::Checked);
        EXPECT_EQ(window->shown_value(SecondBox), rt::Checked);
    }
}

// A held Space repeats, and the box toggles once, not with every repeat.
TEST_F(Contract, SpaceHeldDownActsOnce) {
    tab_to(FirstBox);
    window->hold(Key::Space);
    EXPECT_EQ((*form)["Check1"].Item(0).Value(), rt::Checked);
    EXPECT_EQ(window->shown_value(FirstBox), rt::Checked);
}

// The focus starts on the first control that takes it; a control hidden with
// the focus passes it on in tab order, wrapping round past the last.
TEST_F(Contract, HidingTheFocusedControlPassesTheFocusOnInTabOrder) {
    EXPECT_EQ(window->focus(), LockedText);
    tab_to(FirstBox);
    ASSERT_EQ(window->focus(), FirstBox);
    (*form)["Check1"].Item(0).set_Visible(rt::False);
    EXPECT_FALSE(window->shown(FirstBox));
    EXPECT_EQ(window->focus(), SecondBox);
    (*form)["Check1"].Item(1).set_Visible(rt::False);
    EXPECT_EQ(window->focus(), LockedText);
}

TEST_F(Contract, AHiddenCheckBoxCannotBeClickedAndKeepsItsValue) {
    (*form)["Check1"].Item(2).set_Value(rt::Checked);
    window->click(HiddenBox);
    EXPECT_EQ((*form)["Check1"].Item(2).Value(), rt::Checked);
    (*form)["Check1"].Item(0).set_Visible(rt::False);
    window->click(FirstBox);
    EXPECT_EQ((*form)["Check1"].Item(0).Value(), rt::Unchecked);

    (*form)["Check1"].Item(2).set_Visible(rt::True);
    EXPECT_TRUE(window->shown(HiddenBox));
    EXPECT_EQ(window->shown_value(HiddenBox), rt::Checked);
    window->click(HiddenBox);
    EXPECT_EQ((*form)["Check1"].Item(2).Value(), rt::Unchecked);
}

TEST_F(Contract, VisibleTakesAnyTrueValue) {
    (*form)["Check1"].Item(0).set_Visible(rt::False);
    EXPECT_FALSE(window->shown(FirstBox));
    (*form)["Check1"].Item(0).set_Visible(1);
    EXPECT_TRUE(window->shown(FirstBox));
    EXPECT_EQ((*form)["Check1"].Item(0).Visible(), rt::True);
}

TEST_F(Contract, OptionButtonsAreOneGroupWithNoneChosenAtStart) {
    EXPECT_EQ((*form)["Option1"].Item(0).Value(), rt::False);
    EXPECT_EQ((*form)["Option1"].Item(1).Value(), rt::False);
    EXPECT_EQ(window->shown_value(FirstOption), rt::False);
    EXPECT_EQ(window->shown_value(SecondOption), rt::False);

    window->click(FirstOption);
    EXPECT_EQ(last_event(), "Option1_Click(0)");
    EXPECT_EQ((*form)["Option1"].Item(0).Value(), rt::True);
    EXPECT_EQ((*form)["Option1"].Item(1).Value(), rt::False);

    window->click(SecondOption);
    EXPECT_EQ(last_event(), "Option1_Click(1)");
    EXPECT_EQ((*form)["Option1"].Item(0).Value(), rt::False);
    EXPECT_EQ((*form)["Option1"].Item(1).Value(), rt::True);
    EXPECT_EQ(window->shown_value(FirstOption), rt::False);
    EXPECT_NE(window->shown_value(SecondOption), rt::False);

    window->click(SecondOption);
    EXPECT_EQ(event_log().size(), 3u) << "choosing the chosen option again raises nothing";
    EXPECT_EQ((*form)["Option1"].Item(1).Value(), rt::True);
}

// A screen reader's or switch tool's action is a user's action like a click:
// it reaches the runtime once, raises what a click raises, and a hidden
// control takes none.
TEST_F(Contract, AccessibilityActionsReachTheRuntimeAsClicksDo) {
    window->act(FirstBox);
    EXPECT_EQ((*form)["Check1"].Item(0).Value(), rt::Checked);
    EXPECT_EQ(window->shown_value(FirstBox), rt::Checked);
    window->act(FirstBox);
    EXPECT_EQ((*form)["Check1"].Item(0).Value(), rt::Unchecked);
    EXPECT_EQ(window->shown_value(FirstBox), rt::Unchecked);

    window->act(FirstOption);
    EXPECT_EQ(last_event(), "Option1_Click(0)");
    window->act(SecondOption);
    EXPECT_EQ(last_event(), "Option1_Click(1)");
    EXPECT_EQ((*form)["Option1"].Item(0).Value(), rt::False);
    EXPECT_EQ(window->shown_value(FirstOption), rt::False);
    EXPECT_EQ((*form)["Option1"].Item(1).Value(), rt::True);
    EXPECT_NE(window->shown_value(SecondOption), rt::False);

    window->act(LogCommand);
    EXPECT_EQ(last_event(), "Command1_Click(0)");

    (*form)["Check1"].Item(2).set_Value(rt::Checked);
    window->act(HiddenBox);
    EXPECT_EQ((*form)["Check1"].Item(2).Value(), rt::Checked);
    EXPECT_EQ(window->shown_value(HiddenBox), rt::Checked);
    EXPECT_EQ(event_log(), (Log{"Form_Load shown=0", "Option1_Click(0)", "Option1_Click(1)",
                                "Command1_Click(0)"}));
}

// Where each key leaves the focus from each place it can be, in the order of
// walk_keys. The hidden box
// is no stop. An arrow on an option button chooses the one it lands on, on
// anything else it steps as Tab or Shift+Tab; Space does what a click does;
// in a text box every key but Tab is the box's own.
constexpr std::array walk_keys = {Key::Tab,  Key::BackTab, Key::Left,  Key::Right, Key::Up,
                                  Key::Down, Key::Space,   Key::Enter, Key::Escape};

struct KeyWalk {
    TestRow from;
    std::array<TestRow, walk_keys.size()> to;
};

constexpr KeyWalk key_walks[] = {
    {LockedText,
     {FreeText, SecondBox, LockedText, LockedText, LockedText, LockedText, LockedText, LockedText,
      LockedText}},
    {FreeText,
     {FirstOption, LockedText, FreeText, FreeText, FreeText, FreeText, FreeText, FreeText,
      FreeText}},
    {FirstOption,
     {SecondOption, FreeText, SecondOption, SecondOption, SecondOption, SecondOption, FirstOption,
      FirstOption, FirstOption}},
    {SecondOption,
     {LogCommand, FirstOption, FirstOption, FirstOption, FirstOption, FirstOption, SecondOption,
      SecondOption, SecondOption}},
    {LogCommand,
     {FaultCommand, SecondOption, SecondOption, FaultCommand, SecondOption, FaultCommand,
      LogCommand, LogCommand, LogCommand}},
    {FaultCommand,
     {FirstBox, LogCommand, LogCommand, FirstBox, LogCommand, FirstBox, FaultCommand, FaultCommand,
      FaultCommand}},
    {FirstBox,
     {SecondBox, FaultCommand, FaultCommand, SecondBox, FaultCommand, SecondBox, FirstBox, FirstBox,
      FirstBox}},
    {SecondBox,
     {LockedText, FirstBox, FirstBox, LockedText, FirstBox, LockedText, SecondBox, SecondBox,
      SecondBox}},
};

TEST_F(Contract, EveryKeyFromEveryPlaceMovesTheFocusAndActsAsOnEveryBackend) {
    const auto values = [&] {
        std::vector<std::int16_t> seen;
        for (rt::Index i : {0, 1}) seen.push_back((*form)["Option1"].Item(i).Value());
        for (rt::Index i : {0, 1}) seen.push_back((*form)["Check1"].Item(i).Value());
        for (rt::Row row : {FirstOption, SecondOption, FirstBox, SecondBox})
            seen.push_back(window->shown_value(row) != 0);
        return seen;
    };
    for (const KeyWalk& walk : key_walks) {
        for (std::size_t k = 0; k < walk.to.size(); ++k) {
            const Key key = walk_keys[k];
            if (walk.from == FaultCommand && key == Key::Space) continue; // the test's fault
            tab_to(walk.from);
            ASSERT_EQ(window->focus(), walk.from);
            SCOPED_TRACE("key " + std::to_string(k) + " from row " + std::to_string(walk.from));

            std::vector<std::int16_t> expected = values();
            Log log = event_log();
            const TestRow to = walk.to[k];
            const bool arrow =
                key == Key::Left || key == Key::Right || key == Key::Up || key == Key::Down;
            const bool option = walk.from == FirstOption || walk.from == SecondOption;
            if ((option && arrow) || (option && key == Key::Space)) {
                const std::size_t chosen = to == FirstOption ? 0 : 1;
                if (expected[chosen] == rt::False)
                    log.push_back("Option1_Click(" + std::to_string(chosen) + ")");
                expected[chosen] = rt::True;
                expected[1 - chosen] = rt::False;
                expected[4 + chosen] = 1;
                expected[5 - chosen] = 0;
            } else if (key == Key::Space && (to == FirstBox || to == SecondBox)) {
                const std::size_t box = to == FirstBox ? 2 : 3;
                expected[box] = rt::toggled(expected[box]);
                expected[box + 4] = expected[box] != 0;
            } else if (key == Key::Space && to == LogCommand) {
                log.push_back("Command1_Click(0)");
            }
            window->press(key);
            EXPECT_EQ(window->focus(), to);
            EXPECT_EQ(values(), expected);
            EXPECT_EQ(event_log(), log);
        }
    }
}

// A screen reader is told what a command wrote in the locked text box, after
// every press, the focus left on the button; nothing else is announced.
TEST_F(Contract, ACommandsResultInTheLockedTextBoxIsAnnounced) {
    if (!window->announcements()) GTEST_SKIP() << "this platform's toolkit has no announcements";
    window->click(FirstOption);
    window->click(FirstBox);
    tab_to(FreeText);
    window->type("а");
    tab_to(LogCommand);
    window->press(Key::Space);
    const std::string first = lf_only((*form)["Text1"].Item(0).Text());
    window->click(LogCommand);
    const std::string second = lf_only((*form)["Text1"].Item(0).Text());
    EXPECT_NE(first, second);
    EXPECT_EQ(window->announcements(), (Log{first, second}));
    EXPECT_EQ(window->focus(), LogCommand);
}

TEST_F(Contract, ACommandClickRaisesItsArraysProcedureWithItsIndex) {
    window->click(LogCommand);
    EXPECT_EQ(last_event(), "Command1_Click(0)");
    window->click(Heading);
    window->click(LockedText);
    EXPECT_EQ(event_log().size(), 2u) << "labels and text boxes raise no click";
}

// The fault's procedure writes Grayed to the first box and True to the second
// option, while the person has chosen the first.
TEST_F(Contract, ValuesWrittenInCodeShowAndRaiseNoEvent) {
    window->click(FirstOption);
    set_fault(Fault::ValuesFromCode);
    window->click(FaultCommand);
    EXPECT_EQ(event_log(),
              (Log{"Form_Load shown=0", "Option1_Click(0)", "Command1_Click(1)", "fault done"}));
    EXPECT_EQ(window->shown_value(FirstBox), rt::Grayed);
    EXPECT_NE(window->shown_value(SecondOption), rt::False);
    EXPECT_EQ((*form)["Option1"].Item(0).Value(), rt::False);
    EXPECT_EQ(window->shown_value(FirstOption), rt::False) << "the group shows one choice";
    EXPECT_TRUE(window->error_boxes().empty());
}

TEST_F(Contract, AccessOutsideAnEventRaisesTheErrorToTheCaller) {
    try {
        (void)(*form)["Check1"].Item(3);
        FAIL() << "Item(3) of a three-member array must fail";
    } catch (const rt::RunTimeError& error) {
        EXPECT_EQ(error.number(), rt::ErrorNumber::IndexOutOfRange);
        EXPECT_NE(error.description().find("Check1"), std::string::npos);
    }
    EXPECT_FALSE(form->ended());
}

struct FaultCase {
    const char* name;
    Fault fault;
    rt::ErrorNumber number;
    const char* described; // a word the description must hold
};

class RunTimeErrors : public Contract, public testing::WithParamInterface<FaultCase> {};

TEST_P(RunTimeErrors, AreReportedThenEndTheProgram) {
    set_fault(GetParam().fault);
    testing::internal::CaptureStderr();
    window->click(FaultCommand);
    const std::string standard_error = testing::internal::GetCapturedStderr();

    const std::string number = "error " + std::to_string(static_cast<int>(GetParam().number));
    EXPECT_NE(standard_error.find(number), std::string::npos) << standard_error;
    EXPECT_NE(standard_error.find(GetParam().described), std::string::npos) << standard_error;
    const std::vector<std::string> boxes = window->error_boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Contract: Run-time " + number + ":", 0), 0u) << boxes[0];
    EXPECT_NE(boxes[0].find(GetParam().described), std::string::npos) << boxes[0];

    EXPECT_TRUE(form->ended());
    EXPECT_NE(form->exit_status(), 0);
    EXPECT_FALSE(window->window_shown());
    EXPECT_NE(last_event(), "fault done") << "the procedure stops at the error";

    const std::size_t events = event_log().size();
    window->click(LogCommand);
    window->click(FirstOption);
    EXPECT_EQ(event_log().size(), events) << "nothing runs after a run-time error";
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RunTimeErrors,
    testing::Values(FaultCase{"index_past_last", Fault::IndexPastLast,
                              rt::ErrorNumber::IndexOutOfRange, "Check1"},
                    FaultCase{"negative_index", Fault::NegativeIndex,
                              rt::ErrorNumber::IndexOutOfRange, "-1"},
                    FaultCase{"value_out_of_range", Fault::ValueOutOfRange,
                              rt::ErrorNumber::InvalidPropertyValue, "Check1(0).Value"},
                    FaultCase{"text_of_check_box", Fault::TextOfCheckBox,
                              rt::ErrorNumber::PropertyNotAvailable, "Text"},
                    FaultCase{"value_of_command_button", Fault::ValueOfCommandButton,
                              rt::ErrorNumber::PropertyNotAvailable, "CommandButton"},
                    FaultCase{"unknown_array", Fault::UnknownArray,
                              rt::ErrorNumber::NoSuchControlArray, "Check9"}),
    [](const testing::TestParamInfo<FaultCase>& param) { return param.param.name; });

} // namespace
} // namespace contract
