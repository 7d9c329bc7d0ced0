#include "runtime/web/window_markup.h"

#include "runtime/check_mark.h"
#include "runtime/form_reports.h"
#include "runtime/geometry.h"
#include "runtime/line_breaks.h"

#include <string_view>

namespace rt::web {

namespace {

// Text as HTML shows it, in an element or in a quoted attribute, with the
// page's LF line breaks.
std::string escaped(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (const char c : lf_only(text)) {
        switch (c) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        case '"':
            result += "&quot;";
            break;
        default:
            result += c;
        }
    }
    return result;
}

std::string px(int pixels) {
    return std::to_string(pixels) + "px";
}

std::string_view alignment(Alignment a) {
    return a == Alignment::Centre ? "center" : "left";
}

// The attributes common to every control's element: place, alignment,
// colour, accessible name, and whether it shows.
std::string attributes(const ControlDefinition& control, const ControlState& state,
                       std::string_view overflow) {
    const PixelRect rect = to_pixels(control.rect, standard_dpi);
    std::string style(overflow);
    style += "left:" + px(rect.left) + ";top:" + px(rect.top) + ";width:" + px(rect.width) +
             ";height:" + px(rect.height);
    if (control.kind != ControlKind::CommandButton)
        style += ";text-align:" + std::string(alignment(control.alignment));
    if (control.back_colour) style += ";background-color:" + css_colour(control.back_colour);
    std::string result = " style=\"" + style + "\"";
    if (!control.accessible_name.empty())
        result += " aria-label=\"" + escaped(control.accessible_name) + "\"";
    if (!state.visible) result += " hidden";
    return result;
}

std::string option_id(Row row) {
    return "quenlor-option-" + std::to_string(row);
}

// What the window holds for assistive technology alone, after the rows'
// elements and showing nothing: the option buttons as one radio group, named
// by the window's heading, and the polite live region that announcements are
// written into.
std::string assistive_markup(const FormReports& form) {
    std::string options;
    for (Row row = 0; row < form.size(); ++row)
        if (form.control(row).kind == ControlKind::OptionButton)
            options += (options.empty() ? "" : " ") + option_id(row);
    std::string markup;
    if (!options.empty()) {
        markup += "<div class=\"quenlor-assistive\" role=\"radiogroup\"";
        if (!form.definition().window.heading.empty())
            markup += " aria-labelledby=\"quenlor-heading\"";
        markup += " aria-owns=\"" + options + "\"></div>";
    }
    return markup + "<div class=\"quenlor-assistive quenlor-spoken\" aria-live=\"polite\"></div>";
}

std::string control_markup(const FormReports& form, Row row) {
    const ControlDefinition& control = form.control(row);
    const ControlState& state = form.state(row);
    const std::string text = escaped(state.text);
    switch (control.kind) {
    case ControlKind::Label: {
        if (control.array == form.definition().window.heading)
            return "<h1 id=\"quenlor-heading\"" + attributes(control, state, "") + ">" + text +
                   "</h1>";
        return "<div" + attributes(control, state, "") + ">" + text + "</div>";
    }
    case ControlKind::OptionButton:
    case ControlKind::CheckBox: {
        // The option buttons of a form are one group, so they share a name; the
        // runtime answers their keys, so each is a tab stop of its own. Owned by
        // the radio group, an option is no longer inside its label for every
        // browser (Firefox then names it nothing): its caption names it by id.
        const bool option = control.kind == ControlKind::OptionButton;
        const bool checked = mark_of(state.value) == Mark::Set;
        const std::string caption = option ? " id=\"" + option_id(row) + "-caption\"" : "";
        return "<label class=\"choice\"" + attributes(control, state, "") + "><input type=\"" +
               (option ? "radio\" name=\"quenlor-options\" id=\"" + option_id(row) +
                             "\" aria-labelledby=\"" + option_id(row) + "-caption"
                       : std::string("checkbox")) +
               "\"" + (checked ? " checked" : "") + "><span" + caption + ">" + text +
               "</span></label>";
    }
    case ControlKind::CommandButton:
        return std::string("<button type=\"button\"") +
               (control.style == ButtonStyle::Graphical ? " class=\"graphical\"" : "") +
               attributes(control, state, "") + ">" + text + "</button>";
    case ControlKind::TextBox: {
        // Every text box of a form is multi-line, its text wrapped at its width.
        const std::string overflow =
            std::string("overflow-x:hidden;overflow-y:") +
            (control.scroll_bars == ScrollBars::Vertical ? "scroll" : "hidden") + ";";
        const std::string common = attributes(control, state, overflow) + " spellcheck=\"false\"" +
                                   (control.locked ? " readonly" : "");
        // The parser drops a line break that opens a text area's text.
        return "<textarea" + common + ">" + (text.starts_with('\n') ? "\n" : "") + text +
               "</textarea>";
    }
    }
    return {};
}

} // namespace

std::string css_colour(std::optional<Colour> colour) {
    if (!colour) return {};
    constexpr std::string_view digits = "0123456789abcdef";
    std::string text = "#";
    for (const int part : {colour->red(), colour->green(), colour->blue()}) {
        text += digits[static_cast<std::size_t>(part) >> 4];
        text += digits[static_cast<std::size_t>(part) & 15];
    }
    return text;
}

std::string window_markup(const FormReports& form, bool shown) {
    const WindowDefinition& window = form.definition().window;
    // A button pressed before the program has started is kept by the page
    // (page.html) for the program to press once it has (make_window).
    std::string markup = "<main class=\"quenlor-window\"";
    if (!shown) markup += " hidden";
    if (!window.heading.empty()) markup += " aria-labelledby=\"quenlor-heading\"";
    markup += " style=\"width:" + px(to_pixels(window.client_width, standard_dpi)) +
              ";height:" + px(to_pixels(window.client_height, standard_dpi)) +
              ";background:" + css_colour(window.back_colour) +
              ";font:" + std::to_string(window.font.weight) + " " +
              px(points_to_pixels(window.font.points, standard_dpi)) + " &quot;" +
              escaped(window.font.name) + "&quot;\">";
    for (Row row = 0; row < form.size(); ++row) markup += control_markup(form, row);
    return markup + assistive_markup(form) + "</main>";
}

} // namespace rt::web
