#include "runtime/web/form_window.h"

#include "runtime/line_breaks.h"

#include <emscripten.h>

// The page keeps the window's elements in Module.quenlor: the window and,
// per row, the control's outer element and the one that holds its state.

// clang-format off
EM_JS(void, quenlor_make_window, (const char* markup, const char* caption), {
    var old = Module.quenlor;
    var window = old ? null : document.querySelector(".quenlor-window");
    var early = [];
    if (window) {
        // The page's own window: note what the person changed before the
        // program started, against what the page's HTML showed, and the
        // buttons pressed (window_markup keeps those).
        Array.prototype.forEach.call(window.children, function(element, row) {
            var input = element.tagName == "LABEL" ? element.firstChild : element;
            if (input.type == "radio" || input.type == "checkbox") {
                if (input.checked != input.defaultChecked)
                    early.push({row: row, checked: input.checked});
            } else if (input.tagName == "TEXTAREA" || input.tagName == "INPUT") {
                if (input.value != input.defaultValue) early.push({row: row, value: input.value});
            }
        });
        (globalThis.quenlorPresses || []).forEach(function(button) {
            early.push({row: Array.prototype.indexOf.call(window.children, button), press: true});
        });
    } else {
        if (old) old.window.remove();
        document.body.insertAdjacentHTML("beforeend", UTF8ToString(markup));
        window = document.body.lastElementChild;
    }
    // The runtime's keys, by their number there, are the runtime's to answer:
    // the control to focus and whether it is activated, nothing, or (-2) the
    // text box's own key. Space acts once however long it is held.
    var keys = {Tab: 0, ArrowLeft: 2, ArrowRight: 3, ArrowUp: 4, ArrowDown: 5, " ": 6,
                Enter: 7, Escape: 8};
    window.addEventListener("keydown", function(event) {
        var target = event.target;
        var key = keys[event.key];
        if (key === undefined || target.quenlorRow === undefined) return;
        if (event.ctrlKey || event.altKey || event.metaKey) return;
        if (key == 0 && event.shiftKey) key = 1;
        var answer = _quenlor_key(target.quenlorRow, key, event.repeat ? 1 : 0);
        if (answer == -2) return;
        event.preventDefault();
        if (answer < 0) return;
        Module.quenlor.rows[answer >> 1].input.focus();
        if (answer & 1) _quenlor_activate(answer >> 1);
    });
    // Each row's element, the one that holds its state and the one that shows
    // its text; a text box's value as last written or typed, since reading it
    // back from the element costs more than the rest of writing it.
    var rows = Array.prototype.map.call(window.children, function(element, row) {
        var input, label;
        if (element.tagName == "LABEL") {
            input = element.firstChild;
            label = element.lastChild;
            input.addEventListener("change", function() { _quenlor_changed(row); });
        } else if (element.tagName == "BUTTON") {
            input = label = element;
            element.addEventListener("click", function() { _quenlor_pressed(row); });
        } else if (element.tagName == "TEXTAREA" || element.tagName == "INPUT") {
            input = element;
            // The text is the box's value alone, as when the program writes it,
            // the caret left where it is.
            var from = element.selectionStart, to = element.selectionEnd;
            element.value = element.value;
            element.textContent = "";
            element.setSelectionRange(from, to);
            element.addEventListener("input", function() {
                Module.quenlor.rows[row].value = element.value;
                _quenlor_changed(row);
            });
        } else {
            label = element;
        }
        if (input) input.quenlorRow = row;
        return {element: element, input: input, label: label,
                value: input && !label ? input.value : undefined};
    });
    document.title = UTF8ToString(caption);
    Module.quenlor = {window: window, rows: rows, messages: [], early: early};
});

EM_JS(int, quenlor_early_input_count, (), {
    return Module.quenlor.early.length;
});

// The row; a press comes as -1 - row.
EM_JS(int, quenlor_take_early_input, (int i), {
    var early = Module.quenlor.early[i];
    if (early.press) return -1 - early.row;
    var input = Module.quenlor.rows[early.row].input;
    if (early.checked !== undefined) input.checked = early.checked;
    else input.value = early.value;
    return early.row;
});

EM_JS(void, quenlor_show_window, (int focus), {
    var quenlor = Module.quenlor;
    quenlor.window.hidden = false;
    if (focus >= 0 && !quenlor.window.contains(document.activeElement))
        quenlor.rows[focus].input.focus();
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

void make_window(std::string_view markup, std::string_view caption) {
    quenlor_make_window(std::string(markup).c_str(), std::string(caption).c_str());
}

std::size_t early_input_count() {
    return static_cast<std::size_t>(quenlor_early_input_count());
}

EarlyInput take_early_input(std::size_t i) {
    const int taken = quenlor_take_early_input(static_cast<int>(i));
    if (taken < 0) return {static_cast<Row>(-1 - taken), true};
    return {static_cast<Row>(taken), false};
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
    quenlor_set_visible(static_cast<int>(row), visible ? 1 : 0);
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
