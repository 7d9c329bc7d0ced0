// The news selection form, driven through the in-memory window as a person
// drives it: every action is a click at a control's place.

#include "form/exercise_statement.h"
#include "form/procedures.h"
#include "form/quenlor_form.h"
#include "runtime/form.h"
#include "runtime/headless/headless_backend.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int bad = 0;
constexpr int good = 1;
constexpr int show_summary = 0; // "Изведи"
constexpr int clear = 1;        // "Изтрий"

const std::string bad_heading = "Вие избрахте: Лоша новина:\r\n";
const std::string good_heading = "Добра новина:\r\n";

class NewsForm : public testing::Test {
protected:
    void SetUp() override {
        form.emplace(quenlor::form(), window, quenlor::title);
        ASSERT_TRUE(form->open());
    }

    rt::Row row(std::string_view array, int index) const {
        return form->find(array, static_cast<rt::Index>(index)).value();
    }

    void choose(int kind) { window.click(row("Option1", kind)); }
    void tick(std::string_view group, int index) { window.click(row(group, index)); }
    void press(int command) { window.click(row("Command1", command)); }

    std::string text() { return (*form)["Text1"].Item(0).Text(); }
    std::int16_t value(std::string_view group, int index) {
        return (*form)[group].Item(static_cast<rt::Index>(index)).Value();
    }
    bool shown(std::string_view group, int index) const {
        return window.widget(row(group, index)).visible;
    }

    // Whether every title of each kind is shown, or every one hidden.
    void expect_titles_shown(bool bad_titles, bool good_titles) const {
        for (int i = 0; i <= 5; ++i) EXPECT_EQ(shown("Check1", i), bad_titles) << "Check1 " << i;
        for (int i = 0; i <= 6; ++i) EXPECT_EQ(shown("Check2", i), good_titles) << "Check2 " << i;
    }

    rt::HeadlessBackend window;
    std::optional<rt::Form> form;
};

TEST_F(NewsForm, OpensWithTheExerciseAndNoTitleToBeSeenOrTicked) {
    EXPECT_TRUE(window.shown());
    EXPECT_EQ(text(), quenlor::exercise_statement);
    expect_titles_shown(false, false);
    EXPECT_EQ(value("Option1", bad), rt::False);
    EXPECT_EQ(value("Option1", good), rt::False);

    for (int i = 0; i <= 5; ++i) tick("Check1", i);
    for (int i = 0; i <= 6; ++i) tick("Check2", i);
    for (int i = 0; i <= 5; ++i) EXPECT_EQ(value("Check1", i), rt::Unchecked);
    for (int i = 0; i <= 6; ++i) EXPECT_EQ(value("Check2", i), rt::Unchecked);
}

TEST_F(NewsForm, ChoosingAKindShowsItsTitlesAndHidesTheOthers) {
    choose(bad);
    expect_titles_shown(true, false);
    choose(good);
    expect_titles_shown(false, true);
    EXPECT_EQ(value("Option1", bad), rt::False);
    EXPECT_EQ(value("Option1", good), rt::True);
    choose(good);
    expect_titles_shown(false, true);
    choose(bad);
    expect_titles_shown(true, false);
    EXPECT_EQ(text(), quenlor::exercise_statement) << "choosing writes no text";
}

TEST_F(NewsForm, TheOverviewsTypicalEvent) {
    choose(good);
    tick("Check2", 3);
    EXPECT_EQ(value("Check2", 3), rt::Checked);
    press(show_summary);
    EXPECT_EQ(text(), bad_heading + good_heading + "Назначение;\r\n");
}

TEST_F(NewsForm, TicksSurviveSwitchingAndHiddenTicksAreListed) {
    choose(bad);
    tick("Check1", 1);
    choose(good);
    tick("Check2", 3);
    EXPECT_FALSE(shown("Check1", 1));
    EXPECT_EQ(value("Check1", 1), rt::Checked);
    press(show_summary);
    EXPECT_EQ(text(), bad_heading + "Уволнение;\r\n" + good_heading + "Назначение;\r\n");
}

struct SummaryCase {
    const char* name;
    std::vector<int> bad_ticks; // in the order the user ticks them
    std::vector<int> good_ticks;
    std::string expected;
};

class Summaries : public NewsForm, public testing::WithParamInterface<SummaryCase> {};

TEST_P(Summaries, ListEachGroupsCheckedTitlesInIndexOrder) {
    choose(bad);
    for (int i : GetParam().bad_ticks) tick("Check1", i);
    choose(good);
    for (int i : GetParam().good_ticks) tick("Check2", i);
    press(show_summary);
    EXPECT_EQ(text(), GetParam().expected);
    press(show_summary);
    EXPECT_EQ(text(), GetParam().expected) << "a second press gives the same text";
}

INSTANTIATE_TEST_SUITE_P(
    NewsForm, Summaries,
    testing::Values(
        SummaryCase{"nothing_ticked", {}, {}, bad_heading + good_heading},
        SummaryCase{
            "two_bad", {0, 3}, {}, bad_heading + "Раздяла;\r\nЛоша оценка;\r\n" + good_heading},
        SummaryCase{"ticked_out_of_order",
                    {5, 2, 0},
                    {6, 0},
                    bad_heading + "Раздяла;\r\nЗабравен рожден ден;\r\nДруга лоша;\r\n" +
                        good_heading + "Добро отношение;\r\nДруга добра;\r\n"},
        SummaryCase{"ticked_then_unticked",
                    {4, 4, 1},
                    {5, 2, 5},
                    bad_heading + "Уволнение;\r\n" + good_heading + "Предстоящ празник;\r\n"},
        SummaryCase{"every_title",
                    {0, 1, 2, 3, 4, 5},
                    {0, 1, 2, 3, 4, 5, 6},
                    bad_heading +
                        "Раздяла;\r\nУволнение;\r\nЗабравен рожден ден;\r\nЛоша оценка;\r\n"
                        "Лошо поведение;\r\nДруга лоша;\r\n" +
                        good_heading +
                        "Добро отношение;\r\nБлагоприятен изход;\r\nПредстоящ празник;\r\n"
                        "Назначение;\r\nДобра оценка;\r\nОтстъпка/промоция;\r\nДруга добра;\r\n"}),
    [](const testing::TestParamInfo<SummaryCase>& param) { return param.param.name; });

TEST_F(NewsForm, SummaryBeforeAnyChoiceHasBothHeadingsOnly) {
    press(show_summary);
    EXPECT_EQ(text(), "Вие избрахте: Лоша новина:\r\nДобра новина:\r\n");
}

TEST_F(NewsForm, AGrayedTitleIsNotListed) {
    (*form)["Check1"].Item(2).set_Value(rt::Grayed);
    (*form)["Check2"].Item(4).set_Value(rt::Checked);
    press(show_summary);
    EXPECT_EQ(text(), bad_heading + good_heading + "Добра оценка;\r\n");
}

TEST_F(NewsForm, ClearingWritesThePromptAndUnticksEveryTitleButKeepsTheChoice) {
    choose(bad);
    tick("Check1", 0);
    tick("Check1", 5);
    choose(good);
    tick("Check2", 6);
    press(show_summary);
    press(clear);

    EXPECT_EQ(text(), "Направете своя избор!\r\n");
    for (int i = 0; i <= 5; ++i) EXPECT_EQ(value("Check1", i), rt::Unchecked) << i;
    for (int i = 0; i <= 6; ++i) EXPECT_EQ(value("Check2", i), rt::Unchecked) << i;
    for (int i = 0; i <= 6; ++i)
        EXPECT_EQ(window.widget(row("Check2", i)).value, rt::Unchecked) << "window shows " << i;
    EXPECT_EQ(value("Option1", good), rt::True);
    EXPECT_EQ(value("Option1", bad), rt::False);
    expect_titles_shown(false, true);

    press(show_summary);
    EXPECT_EQ(text(), bad_heading + good_heading);
}

// What a screen reader is told after each command: the summary or the
// prompt, once a press, the same again on a second press.
TEST_F(NewsForm, EachCommandAnnouncesWhatItWroteInTheTextBox) {
    choose(bad);
    tick("Check1", 2);
    press(show_summary);
    press(show_summary);
    press(clear);
    choose(good);
    const std::string summary = bad_heading + "Забравен рожден ден;\r\n" + good_heading;
    const rt::Row box = row("Text1", 0);
    using Said = std::vector<std::pair<rt::Row, std::string>>;
    EXPECT_EQ(window.announcements(),
              (Said{{box, summary}, {box, summary}, {box, "Направете своя избор!\r\n"}}));
}

TEST_F(NewsForm, ClearingBeforeAnyChoiceKeepsBothGroupsHidden) {
    press(clear);
    EXPECT_EQ(text(), "Направете своя избор!\r\n");
    expect_titles_shown(false, false);
}

TEST_F(NewsForm, ProceduresIgnoreIndexesTheyDoNotServe) {
    choose(bad);
    tick("Check1", 2);
    for (rt::Index index : {rt::Index{-1}, rt::Index{2}, rt::Index{32767}}) {
        quenlor::Option1_Click(*form, index);
        quenlor::Command1_Click(*form, index);
    }
    EXPECT_FALSE(form->ended());
    EXPECT_EQ(text(), quenlor::exercise_statement);
    expect_titles_shown(true, false);
    EXPECT_EQ(value("Check1", 2), rt::Checked);
}

} // namespace
