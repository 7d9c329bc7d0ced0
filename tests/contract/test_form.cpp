#include "tests/contract/test_form.h"

#include "runtime/form.h"

#include <array>

namespace contract {

namespace {

Fault current_fault = Fault::IndexPastLast;
bool (*window_probe)() = nullptr;

using rt::ControlKind;

void load(rt::FormHandle& me) {
    event_log().push_back(std::string("Form_Load shown=") +
                          (window_probe && window_probe() ? "1" : "0"));
    me["Check1"].Item(2).set_Visible(rt::False);
}

void option_click(rt::FormHandle&, rt::Index index) {
    event_log().push_back("Option1_Click(" + std::to_string(index) + ")");
}

void run_fault(rt::FormHandle& me) {
    switch (current_fault) {
    case Fault::IndexPastLast:
        me["Check1"].Item(3).set_Value(rt::Checked);
        break;
    case Fault::NegativeIndex:
        me["Check1"].Item(-1).set_Visible(rt::True);
        break;
    case Fault::ValueOutOfRange:
        me["Check1"].Item(0).set_Value(3);
        break;
    case Fault::TextOfCheckBox:
        (void)me["Check1"].Item(0).Text();
        break;
    case Fault::ValueOfCommandButton:
        me["Command1"].Item(0).set_Value(rt::Checked);
        break;
    case Fault::UnknownArray:
        me["Check9"].Item(0).set_Visible(rt::True);
        break;
    case Fault::ValuesFromCode:
        me["Check1"].Item(0).set_Value(rt::Grayed);
        me["Option1"].Item(1).set_Value(rt::True);
        break;
    }
    event_log().push_back("fault done");
}

// Command1(0) writes its result in the locked text box, numbered by the press,
// and a note in the free one.
void command_click(rt::FormHandle& me, rt::Index index) {
    event_log().push_back("Command1_Click(" + std::to_string(index) + ")");
    if (index == 1) run_fault(me);
    static int presses = 0;
    if (index == 0) {
        me["Text1"].Item(0).set_Text("Запис " + std::to_string(++presses) + "\r\nготов");
        me["Text1"].Item(1).set_Text("бележка");
    }
}

constexpr rt::Colour yellow{0x0000FFFF};

constexpr std::array<rt::ControlDefinition, 10> controls{{
    {ControlKind::Label, "Label1", 0, "Заглавие", {0, 0, 3000, 300}, yellow},
    {.kind = ControlKind::TextBox,
     .array = "Text1",
     .index = 0,
     .text = "Ред 1\r\nРед 2\r\n",
     .rect = {0, 2400, 3000, 900},
     .scroll_bars = rt::ScrollBars::Vertical,
     .locked = true},
    {.kind = ControlKind::TextBox,
     .array = "Text1",
     .index = 1,
     .text = "",
     .rect = {3300, 2400, 1500, 900}},
    {ControlKind::OptionButton, "Option1", 0, "Едно", {0, 360, 1500, 300}, yellow},
    {ControlKind::OptionButton, "Option1", 1, "Две", {1800, 360, 1500, 300}, yellow},
    {ControlKind::CommandButton, "Command1", 0, "Запис", {3300, 360, 1200, 375}},
    {ControlKind::CommandButton, "Command1", 1, "Грешка", {3300, 900, 1200, 375}},
    {ControlKind::CheckBox, "Check1", 0, "Първа", {0, 900, 2400, 300}, yellow},
    {ControlKind::CheckBox, "Check1", 1, "Втора", {0, 1260, 2400, 300}, yellow},
    {ControlKind::CheckBox, "Check1", 2, "Скрита", {0, 1620, 2400, 300}, yellow},
}};

constexpr std::array<rt::ClickHandler, 2> handlers{{
    {"Option1", option_click},
    {"Command1", command_click},
}};

const rt::FormDefinition definition{
    .window = {.caption = "Test form",
               .client_width = 5000,
               .client_height = 3600,
               .back_colour = {0x00C0C0C0},
               .font = {"Times New Roman", 12, 400, 204}},
    .controls = controls,
    .events = {.load = load, .click = handlers},
};

} // namespace

const rt::FormDefinition& test_form() {
    return definition;
}

std::vector<std::string>& event_log() {
    static std::vector<std::string> log;
    return log;
}

void set_fault(Fault fault) {
    current_fault = fault;
}

void set_window_probe(bool (*probe)()) {
    window_probe = probe;
}

} // namespace contract
