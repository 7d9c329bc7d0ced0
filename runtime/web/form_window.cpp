#include "runtime/web/form_window.h"

#include "runtime/geometry.h"

#include <emscripten.h>

// The page keeps the window's elements in Module.quenlor: the window and,
// per row, the control's outer element and the one that holds its state.

// clang-format off
EM_JS(void, quenlor_make_window, (const char* caption, int width, int height, const char* colour,
                                  const char* font, int font_pixels, int weight), {
    var old = Module.quenlor;
    if (old) old.window.remove();
    var window = document.createElement("main");
    window.className = "quenlor-window";
    window.hidden = true;
    window.style.cssText = "width:" + width + "px;height:" + height + "px;background:" +
        UTF8ToString(colour) + ";font:" + weight + " " + font_pixels + "px \"" + UTF8ToString(font) + "\"";
    // Enter presses no button and Escape nothing, as in the desktop window;
    // an arrow key moves to the next option button and chooses it.
    window.addEventListener("keydown", function(event) {
        var target = event.target;
        if (event.key == "Enter" && !(target.tagName == "TEXTAREA" && !target.readOnly))
            event.preventDefault();
        // Tab follows the runtime's tab order and wraps round, as on the desktop.
        if (event.key == "Tab" && target.quenlorRow !== undefined) {
            event.preventDefault();
            var next = _quenlor_next_tab_stop(target.quenlorRow, !event.shiftKey);
            if (next >= 0) Module.quenlor.rows[next].input.focus();
        }
        if (target.type == "radio" && /^Arrow/.test(event.key)) {
            event.preventDefault();
            var forward = event.key == "ArrowDown" || event.key == "ArrowRight";
            var to = _quenlor_next_option(target.quenlorRow, forward);
            if (to >= 0) {
                Module.quenlor.rows[to].input.focus();
                Module.quenlor.rows[to].input.click();
            }
        }
    });
    document.title = UTF8ToString(caption);
    document.body.append(window);
    Module.quenlor = {window: window, rows: [], messages: []};
});

EM_JS(void, quenlor_add_control, (int row, int kind, const char* text, int left, int top, int width,
                                  int height, const char* colour, int alignment, int graphical,
                                  int multi_line, int scroll_bars, int locked, int heading,
                                  const char* name), {
    var caption = UTF8ToString(text);
    var element, input, label;
    if (kind == 0) {
        element = label = document.createElement(heading ? "h1" : "div");
        if (heading) {
            element.id = "quenlor-heading";
            Module.quenlor.window.setAttribute("aria-labelledby", element.id);
        }
    } else if (kind == 1 || kind == 2) {
        element = document.createElement("label");
        element.className = "choice";
        input = document.createElement("input");
        input.type = kind == 1 ? "radio" : "checkbox";
        // Every option button is a tab stop of its own; the runtime keeps
        // them one group.
        if (kind == 1) input.name = "option" + row;
        label = document.createElement("span");
        element.append(input, label);
        input.addEventListener("change", function() { _quenlor_changed(row); });
    } else if (kind == 3) {
        element = input = label = document.createElement("button");
        element.type = "button";
        if (graphical) element.className = "graphical";
        element.addEventListener("click", function() { _quenlor_pressed(row); });
    } else {
        element = input = document.createElement(multi_line ? "textarea" : "input");
        element.readOnly = locked != 0;
        element.spellcheck = false;
        element.style.overflowX = scroll_bars & 1 ? "scroll" : "hidden";
        element.style.overflowY = scroll_bars & 2 ? "scroll" : "hidden";
        if (scroll_bars & 1) element.wrap = "off";
        element.value = caption;
        element.setSelectionRange(0, 0);
        element.addEventListener("input", function() {
            Module.quenlor.rows[row].value = element.value;
            _quenlor_changed(row);
        });
    }
    if (label) label.textContent = caption;
    if (input) input.quenlorRow = row;
    var accessible = UTF8ToString(name);
    if (accessible) element.setAttribute("aria-label", accessible);
    var back = UTF8ToString(colour);
    element.style.cssText += "left:" + left + "px;top:" + top + "px;width:" + width + "px;height:" +
        height + "px" + (kind == 3 ? "" : ";text-align:" + ["left", "right", "center"][alignment]) +
        (back ? ";background-color:" + back : "");
    Module.quenlor.window.append(element);
    // A text box's value as last written or typed: reading it back from the
    // element costs more than the rest of writing it.
    Module.quenlor.rows[row] = {element: element, input: input, label: label,
                                value: input && !label ? input.value : undefined};
});

EM_JS(void, quenlor_show_window, (int focus), {
    var quenlor = Module.quenlor;
    quenlor.window.hidden = false;
    if (focus >= 0) quenlor.rows[focus].input.focus();
});

EM_JS(void, quenlor_hide_window, (), {
    Module.quenlor.window.hidden = true;
    Module.quenlor.window.inert = true;
});

EM_JS(void, quenlor_remove_window, (), {
    var quenlor = Module.quenlor;
    if (!quenlor) return;
    quenlor.window.remove();
    quenlor.messages.forEach(function(message) { message.remove(); });
    Module.quenlor = undefined;
});

// A text box"s value only changes when the text does, so that the runtime"s
// copy of what the user typed leaves the caret where it is.
EM_JS(void, quenlor_set_text, (int row, const char* text, int length), {
    var control = Module.quenlor.rows[row];
    var value = UTF8ToString(text, length);
    if (control.label) control.label.textContent = value;
    else if (control.value != value) {
        control.value = value;
        // As on the desktop, new text shows from its start, the caret before it.
        control.input.value = value;
        control.input.setSelectionRange(0, 0);
        control.input.scrollTop = 0;
    }
});

EM_JS(void, quenlor_set_value, (int row, int value), {
    var input = Module.quenlor.rows[row].input;
    if (input.type == "radio") {
        input.checked = value != 0;
    } else {
        input.checked = value == 1;
        input.indeterminate = value == 2;
    }
});

EM_JS(void, quenlor_set_visible, (int row, int visible), {
    Module.quenlor.rows[row].element.hidden = !visible;
});

EM_JS(int, quenlor_checked, (int row), {
    return Module.quenlor.rows[row].input.checked ? 1 : 0;
});

EM_JS(int, quenlor_text_size, (int row), {
    return lengthBytesUTF8(Module.quenlor.rows[row].input.value);
});

EM_JS(void, quenlor_copy_text, (int row, char* buffer, int size), {
    stringToUTF8(Module.quenlor.rows[row].input.value, buffer, size);
});

EM_JS(void, quenlor_show_message, (const char* title, int title_length, const char* text,
                                   int text_length), {
    var message = document.createElement("dialog");
    message.className = "quenlor-message";
    message.setAttribute("role", "alertdialog");
    var heading = document.createElement("h2");
    heading.textContent = UTF8ToString(title, title_length);
    var report = document.createElement("p");
    report.textContent = UTF8ToString(text, text_length);
    var buttons = document.createElement("form");
    buttons.method = "dialog";
    var ok = document.createElement("button");
    ok.textContent = "OK";
    buttons.append(ok);
    message.append(heading, report, buttons);
    document.body.append(message);
    var messages = Module.quenlor ? Module.quenlor.messages : [];
    messages.push(message);
    message.showModal();
    ok.focus();
});
// clang-format on

namespace rt::web {

namespace {

// "#rrggbb", or "" for the platform's default.
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

// The page's text boxes hold LF alone; the runtime's texts end lines with CR LF.
std::string lf_only(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) result += text[i];
    return result;
}

std::string cr_lf(std::string_view text) {
    std::string result;
    result.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        if (c == '\n') result += '\r';
        result += c;
    }
    return result;
}

int as_int(bool b) {
    return b ? 1 : 0;
}

} // namespace

void make_window(const WindowDefinition& window) {
    const std::string font(window.font.name);
    quenlor_make_window(
        std::string(window.caption).c_str(), to_pixels(window.client_width, standard_dpi),
        to_pixels(window.client_height, standard_dpi), css_colour(window.back_colour).c_str(),
        font.c_str(), points_to_pixels(window.font.points, standard_dpi), window.font.weight);
}

void add_control(Row row, const ControlDefinition& control, bool heading) {
    const PixelRect rect = to_pixels(control.rect, standard_dpi);
    const std::string text =
        control.kind == ControlKind::TextBox ? lf_only(control.text) : std::string(control.text);
    quenlor_add_control(
        static_cast<int>(row), static_cast<int>(control.kind), text.c_str(), rect.left, rect.top,
        rect.width, rect.height, css_colour(control.back_colour).c_str(),
        static_cast<int>(control.alignment), as_int(control.style == ButtonStyle::Graphical),
        as_int(control.multi_line), static_cast<int>(control.scroll_bars), as_int(control.locked),
        as_int(heading), std::string(control.accessible_name).c_str());
}

void show_window(std::optional<Row> focus) {
    quenlor_show_window(focus ? static_cast<int>(*focus) : -1);
}

void hide_window() {
    quenlor_hide_window();
}

void remove_window() {
    quenlor_remove_window();
}

void set_text(Row row, std::string_view text) {
    const std::string shown = lf_only(text);
    quenlor_set_text(static_cast<int>(row), shown.data(), static_cast<int>(shown.size()));
}

void set_value(Row row, std::int16_t value) {
    quenlor_set_value(static_cast<int>(row), value);
}

void set_visible(Row row, bool visible) {
    quenlor_set_visible(static_cast<int>(row), as_int(visible));
}

bool checked(Row row) {
    return quenlor_checked(static_cast<int>(row)) != 0;
}

std::string text(Row row) {
    const int size = quenlor_text_size(static_cast<int>(row));
    std::string value(static_cast<std::size_t>(size) + 1, '\0');
    quenlor_copy_text(static_cast<int>(row), value.data(), size + 1);
    value.resize(static_cast<std::size_t>(size));
    return cr_lf(value);
}

void show_message(std::string_view title, std::string_view text) {
    quenlor_show_message(title.data(), static_cast<int>(title.size()), text.data(),
                         static_cast<int>(text.size()));
}

} // namespace rt::web
