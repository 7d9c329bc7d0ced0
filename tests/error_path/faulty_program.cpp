// A program whose button makes a run-time error, to see the runtime report
// it and end the program. The first argument picks the error: "index" asks
// a control array for a member it does not have, "value" writes a value a
// property cannot take.

#include "runtime/form.h"
#include "runtime/start.h"

#include <array>
#include <cstring>

namespace {

bool index_fault = true;

void press(rt::FormHandle& me, rt::Index) {
    if (index_fault)
        me["Check1"].Item(3).set_Value(rt::Checked);
    else
        me["Check1"].Item(0).set_Value(7);
}

constexpr std::array<rt::ControlDefinition, 4> controls{{
    {rt::ControlKind::CommandButton, "Command1", 0, "Грешка", {1500, 300, 1500, 450}},
    {rt::ControlKind::CheckBox, "Check1", 0, "Първа", {300, 1200, 2400, 300}},
    {rt::ControlKind::CheckBox, "Check1", 1, "Втора", {300, 1560, 2400, 300}},
    {rt::ControlKind::CheckBox, "Check1", 2, "Трета", {300, 1920, 2400, 300}},
}};

constexpr std::array<rt::ClickHandler, 1> handlers{{{"Command1", press}}};

const rt::FormDefinition form{
    .window = {.caption = "Faulty form",
               .client_width = 4500,
               .client_height = 3000,
               .back_colour = {0x00C0C0C0},
               .font = {"Times New Roman", 12, 400, 204}},
    .controls = controls,
    .events = {.click = handlers},
};

} // namespace

int main(int argc, char** argv) {
    index_fault = argc < 2 || std::strcmp(argv[1], "value") != 0;
    return rt::start({"Faulty", form});
}
