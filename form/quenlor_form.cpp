#include "form/quenlor_form.h"

#include "form/control_names.h"
#include "form/exercise_statement.h"
#include "form/procedures.h"

#include <array>

namespace quenlor {

namespace {

using rt::ControlKind;

constexpr rt::Colour orange{0x000080FF};
constexpr rt::Colour green{0x0000FF00};
constexpr rt::Colour red{0x000000FF};
constexpr rt::Colour light_orange{0x0080C0FF};
constexpr rt::Colour lavender{0x00FFC0C0};

// The rows of a check-box column lie 360 twips apart from 960 down.
constexpr rt::TwipsRect title_row(rt::Twips left, rt::Twips width, rt::Index i) {
    return {left, 960 + 360 * i, width, 285};
}

constexpr rt::ControlDefinition bad_news(rt::Index i, std::string_view title) {
    return {ControlKind::CheckBox, Check1, i, title, title_row(360, 2535, i), orange};
}

constexpr rt::ControlDefinition good_news(rt::Index i, std::string_view title) {
    return {ControlKind::CheckBox, Check2, i, title, title_row(3240, 2415, i), green};
}

// The array's size is counted from its rows: a size given by hand that is
// larger leaves blank rows, which would become controls.
constexpr auto control_table = std::to_array<rt::ControlDefinition>({
    {.kind = ControlKind::Label,
     .array = Label1,
     .index = 0,
     .text = "Избор на тип и вид новина",
     .rect = {960, 0, 4575, 375},
     .back_colour = light_orange,
     .alignment = rt::Alignment::Centre},
    {.kind = ControlKind::TextBox,
     .array = Text1,
     .index = 0,
     .text = exercise_statement,
     .rect = {120, 3480, 6735, 1815},
     .scroll_bars = rt::ScrollBars::Vertical,
     .locked = true,
     .accessible_name = "Условие на задачата и изведеният избор"},
    {ControlKind::OptionButton, Option1, 0, "Лоша новина", {360, 480, 1815, 285}, orange},
    {ControlKind::OptionButton, Option1, 1, "Добра новина", {3240, 480, 1815, 285}, green},
    {.kind = ControlKind::CommandButton,
     .array = Command1,
     .index = 0,
     .text = "Изведи",
     .rect = {5760, 600, 1215, 375},
     .back_colour = green,
     .style = rt::ButtonStyle::Graphical},
    {.kind = ControlKind::CommandButton,
     .array = Command1,
     .index = 1,
     .text = "Изтрий",
     .rect = {5760, 2280, 1215, 375},
     .back_colour = red,
     .style = rt::ButtonStyle::Graphical},
    bad_news(0, "Раздяла"),
    bad_news(1, "Уволнение"),
    bad_news(2, "Забравен рожден ден"),
    bad_news(3, "Лоша оценка"),
    bad_news(4, "Лошо поведение"),
    bad_news(5, "Друга лоша"),
    good_news(0, "Добро отношение"),
    good_news(1, "Благоприятен изход"),
    good_news(2, "Предстоящ празник"),
    good_news(3, "Назначение"),
    good_news(4, "Добра оценка"),
    good_news(5, "Отстъпка/промоция"),
    good_news(6, "Друга добра"),
});

constexpr std::array<rt::ClickHandler, 2> click_handlers{{
    {Option1, Option1_Click},
    {Command1, Command1_Click},
}};

// The program has no web site of its own; the address is one reserved for
// documentation.
const rt::FormDefinition form_definition{
    .window = {.caption = "www.quenlor.example Quenlor",
               .client_width = 7050,
               .client_height = 5355,
               .back_colour = lavender,
               .font = {"Times New Roman", 12, 400, 204},
               .heading = Label1,
               // The icon: its alias in app/icons/icon.qrc, its id in app/quenlor.rc.in.
               .icon = {":/window-icon.png", 1},
               .close_box_name = "Затвори"},
    .controls = control_table,
    .events = {.load = Form_Load, .click = click_handlers},
};

} // namespace

std::span<const rt::ControlDefinition> controls() {
    return control_table;
}

const rt::FormDefinition& form() {
    return form_definition;
}

rt::Project project() {
    return {title, form_definition, desktop_id};
}

} // namespace quenlor
