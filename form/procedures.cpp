#include "form/procedures.h"

#include "form/control_names.h"
#include "form/texts.h"
#include "runtime/form_handle.h"

namespace quenlor {

void Form_Load(rt::FormHandle& me) {
    for (rt::Index i = 0; i <= 5; ++i) me[Check1].Item(i).set_Visible(rt::False);
    for (rt::Index i = 0; i <= 6; ++i) me[Check2].Item(i).set_Visible(rt::False);
}

void Option1_Click(rt::FormHandle& me, rt::Index Index) {
    if (Index == 0) {
        for (rt::Index i = 0; i <= 5; ++i) me[Check1].Item(i).set_Visible(rt::True);
        for (rt::Index i = 0; i <= 6; ++i) me[Check2].Item(i).set_Visible(rt::False);
    }
    if (Index == 1) {
        for (rt::Index i = 0; i <= 5; ++i) me[Check1].Item(i).set_Visible(rt::False);
        for (rt::Index i = 0; i <= 6; ++i) me[Check2].Item(i).set_Visible(rt::True);
    }
}

namespace {

// A line of the summary: a caption, its mark, and the line break.
std::string line(const std::string& caption, std::string_view mark) {
    return caption + std::string(mark) + std::string(line_break);
}

// Appends the heading Option1(heading), then every checked title of group
// from index 0 to last, in rising order.
void append_group(rt::FormHandle& me, std::string& text, rt::Index heading, std::string_view group,
                  rt::Index last) {
    text += line(me[Option1].Item(heading).Caption(), heading_mark);
    for (rt::Index i = 0; i <= last; ++i)
        if (me[group].Item(i).Value() == rt::Checked)
            text += line(me[group].Item(i).Caption(), item_mark);
}

} // namespace

std::string summary(rt::FormHandle& me) {
    std::string text(opening);
    append_group(me, text, 0, Check1, 5);
    append_group(me, text, 1, Check2, 6);
    return text;
}

void Command1_Click(rt::FormHandle& me, rt::Index Index) {
    if (Index == 0) me[Text1].Item(0).set_Text(summary(me));
    if (Index == 1) {
        me[Text1].Item(0).set_Text(std::string(prompt) + std::string(line_break));
        for (rt::Index i = 0; i <= 5; ++i) me[Check1].Item(i).set_Value(rt::Unchecked);
        for (rt::Index i = 0; i <= 6; ++i) me[Check2].Item(i).set_Value(rt::Unchecked);
    }
}

} // namespace quenlor
