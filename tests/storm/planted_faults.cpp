#include "tests/storm/planted_faults.h"

#include "form/procedures.h"
#include "form/quenlor_form.h"
#include "runtime/form.h"
#include "tests/line_breaks.h"

#include <array>
#include <string>

namespace storm {

namespace {

using quenlor::Command1_Click;
using quenlor::Form_Load;
using quenlor::Option1_Click;

// Choosing good news leaves the first bad-news title shown.
void not_hidden_again(rt::FormHandle& me, rt::Index index) {
    Option1_Click(me, index);
    if (index == 1) me["Check1"].Item(0).set_Visible(rt::True);
}

// The summary ends its lines with LF alone.
void bare_line_feeds(rt::FormHandle& me, rt::Index index) {
    Command1_Click(me, index);
    me["Text1"].Item(0).set_Text(lf_only(me["Text1"].Item(0).Text()));
}

// "Изтрий" leaves the last good-news title as it was.
void clear_forgets_last(rt::FormHandle& me, rt::Index index) {
    const std::int16_t kept = me["Check2"].Item(6).Value();
    Command1_Click(me, index);
    me["Check2"].Item(6).set_Value(kept);
}

// The good-news loop stops one short, so its last title is never shown.
void one_short(rt::FormHandle& me, rt::Index index) {
    if (index == 0) {
        for (rt::Index i = 0; i <= 5; ++i) me["Check1"].Item(i).set_Visible(rt::True);
        for (rt::Index i = 0; i <= 6; ++i) me["Check2"].Item(i).set_Visible(rt::False);
    }
    if (index == 1) {
        for (rt::Index i = 0; i <= 5; ++i) me["Check1"].Item(i).set_Visible(rt::False);
        for (rt::Index i = 0; i <= 5; ++i) me["Check2"].Item(i).set_Visible(rt::True);
    }
}

constexpr std::array<rt::ClickHandler, 2> handlers(rt::ClickProcedure option,
                                                   rt::ClickProcedure command) {
    return {{{"Option1", option}, {"Command1", command}}};
}

const auto not_hidden_handlers = handlers(not_hidden_again, Command1_Click);
const auto line_feed_handlers = handlers(Option1_Click, bare_line_feeds);
const auto clear_handlers = handlers(Option1_Click, clear_forgets_last);
const auto one_short_handlers = handlers(one_short, Command1_Click);

rt::FormDefinition with(std::span<const rt::ClickHandler> click,
                        std::span<const rt::ControlDefinition> controls = quenlor::controls()) {
    rt::FormDefinition form = quenlor::form();
    form.events.click = click;
    form.controls = controls;
    return form;
}

// "Добра новина" made a check box: the two kinds are no longer one group.
std::array<rt::ControlDefinition, 19> not_exclusive_controls() {
    std::array<rt::ControlDefinition, 19> controls{};
    for (std::size_t row = 0; row < controls.size(); ++row) {
        controls[row] = quenlor::controls()[row];
        if (controls[row].array == "Option1" && controls[row].index == 1)
            controls[row].kind = rt::ControlKind::CheckBox;
    }
    return controls;
}

const auto not_exclusive_table = not_exclusive_controls();

} // namespace

std::vector<PlantedFault> planted_faults() {
    static const rt::FormDefinition not_hidden = with(not_hidden_handlers);
    static const rt::FormDefinition line_feeds = with(line_feed_handlers);
    static const rt::FormDefinition clear = with(clear_handlers);
    static const rt::FormDefinition short_loop = with(one_short_handlers);
    static const rt::FormDefinition not_exclusive =
        with(quenlor::form().events.click, not_exclusive_table);
    return {{"a title not hidden again", not_hidden},
            {"LF instead of CR LF", line_feeds},
            {"Изтрий leaves a title ticked", clear},
            {"loop bound off by one", short_loop},
            {"option buttons not exclusive", not_exclusive}};
}

} // namespace storm
