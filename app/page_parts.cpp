// What the build takes from the program for its page, written as JSON to
// standard output: the window after Form_Load as the page's HTML shows it,
// the caption, title and colour, and every text the window can ever show,
// from which the page's font keeps only the glyphs it needs. Run at build
// time under Node, from the same code as the page itself.

#include "app/json_string.h"
#include "form/quenlor_form.h"
#include "runtime/form.h"
#include "runtime/headless/headless_backend.h"
#include "runtime/web/window_markup.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

// Every text the controls show: their own, and what each command button
// writes with every box ticked, which is the most that any text can hold.
std::string every_text(rt::Form& form) {
    std::string texts;
    auto collect = [&] {
        for (rt::Row row = 0; row < form.size(); ++row) texts += form.state(row).text;
    };
    collect();
    for (rt::Row pressed = 0; pressed < form.size(); ++pressed) {
        if (form.control(pressed).kind != rt::ControlKind::CommandButton) continue;
        for (rt::Row row = 0; row < form.size(); ++row) {
            const rt::ControlDefinition& control = form.control(row);
            if (control.kind == rt::ControlKind::CheckBox)
                form[control.array].Item(control.index).set_Value(rt::Checked);
        }
        form.user_pressed(pressed);
        collect();
    }
    return texts;
}

} // namespace

int main() {
    rt::HeadlessBackend backend;
    rt::Form form(quenlor::form(), backend, quenlor::title);
    if (!form.open()) return 1;
    const rt::WindowDefinition& window = form.definition().window;
    const std::string markup = rt::web::window_markup(form, true);
    const std::string out =
        "{\"title\": " + json(quenlor::title) + ", \"caption\": " + json(window.caption) +
        ", \"colour\": " + json(rt::web::css_colour(window.back_colour)) +
        ", \"window\": " + json(markup) + ", \"texts\": " + json(every_text(form)) + "}\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return form.ended() ? 1 : 0;
}
