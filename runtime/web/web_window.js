// The page's side of the web backend: the window's elements, kept in
// Module.quenlor (the window and, per row, the control's outer element and
// the one that holds its state), written and read for the C++ in
// web_window.cpp, and the listeners that report what the person does.
// Linked with --js-library; each function here is a C function there.

/* global mergeInto, LibraryManager, Module, UTF8ToString, lengthBytesUTF8, stringToUTF8 */
/* global _quenlor_changed, _quenlor_clicked, _quenlor_pressed, _quenlor_key, _quenlor_activate */

mergeInto(LibraryManager.library, {
    // A text box's scroll bar takes 17 px, the desktop's width, whatever the
    // engine draws: its own bar (Chromium's 15 px, Firefox's 12, an overlay
    // bar that takes none) is made up to that with padding, so that the text
    // wraps at the same place in every browser. Measured once the box is
    // shown.
    $quenlorReserveScrollBars: function(box) {
        if (box.quenlorReserved || box.getClientRects().length == 0) return;
        box.quenlorReserved = true;
        var style = getComputedStyle(box);
        var across = parseFloat(style.borderLeftWidth) + parseFloat(style.borderRightWidth);
        if (style.overflowY == "scroll")
            box.style.paddingRight = parseFloat(style.paddingRight) + 17 -
                (box.offsetWidth - box.clientWidth - across) + "px";
        // WebKit keeps the text wrapped as it was until the box is laid out anew.
        var focused = document.activeElement == box;
        box.style.display = "none";
        box.offsetWidth;
        box.style.display = "";
        if (focused) box.focus();
    },

    quenlor_make_window__deps: ["$quenlorReserveScrollBars"],
    quenlor_make_window: function(markup, caption, key_names) {
        var old = Module.quenlor;
        var window = old ? null : document.querySelector(".quenlor-window");
        var early = [];
        // The rows' elements come first; what is there for assistive
        // technology alone follows them.
        var controls = function() {
            return Array.prototype.filter.call(window.children, function(element) {
                return !element.classList.contains("quenlor-assistive");
            });
        };
        if (window) {
            // The page's own window: note what the person changed before the
            // program started, against what the page's HTML showed, and the
            // buttons pressed (page.html keeps those).
            controls().forEach(function(element, row) {
                var input = element.tagName == "LABEL" ? element.firstChild : element;
                if (input.type == "radio" || input.type == "checkbox") {
                    if (input.checked != input.defaultChecked)
                        early.push({row: row, checked: input.checked});
                } else if (input.tagName == "TEXTAREA") {
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
        // The keys the runtime answers, by their place in the list it gives
        // (keys.cpp): the control to focus and whether it is activated,
        // nothing, or (-2) the text box's own key; a held key's repeats are
        // marked.
        var keys = UTF8ToString(key_names).split("\n");
        window.addEventListener("keydown", function(event) {
            var target = event.target;
            var key = keys.indexOf(event.key);
            if (key < 0 || target.quenlorRow === undefined) return;
            if (event.ctrlKey || event.altKey || event.metaKey) return;
            var answer = _quenlor_key(target.quenlorRow, key, event.shiftKey ? 1 : 0,
                                      event.repeat ? 1 : 0);
            if (answer == -2) return;
            event.preventDefault();
            if (answer < 0) return;
            Module.quenlor.rows[answer >> 1].input.focus();
            if (answer & 1) _quenlor_activate(answer >> 1);
        });
        // A press on the window's background or a caption that takes no focus
        // leaves the focus where it is, as in a desktop window; the browser
        // would give it to the page's body.
        window.addEventListener("mousedown", function(event) {
            if (!event.target.closest("input, button, textarea, label")) event.preventDefault();
        });
        // Each row's element, the one that holds its state and the one that shows
        // its text; a text box's value as last written or typed, since reading it
        // back from the element costs more than the rest of writing it.
        var rows = controls().map(function(element, row) {
            var input, label;
            if (element.tagName == "LABEL") {
                input = element.firstChild;
                label = element.lastChild;
                input.addEventListener("change", function() { _quenlor_clicked(row); });
            } else if (element.tagName == "BUTTON") {
                input = label = element;
                element.addEventListener("click", function() { _quenlor_pressed(row); });
            } else if (element.tagName == "TEXTAREA") {
                input = element;
                quenlorReserveScrollBars(element);
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
        Module.quenlor = {window: window, rows: rows, messages: [], early: early,
                          spoken: window.querySelector(".quenlor-spoken")};
    },

    quenlor_early_input_count: function() {
        return Module.quenlor.early.length;
    },

    // The row; a press comes as -1 - row.
    quenlor_take_early_input: function(i) {
        var early = Module.quenlor.early[i];
        if (early.press) return -1 - early.row;
        var input = Module.quenlor.rows[early.row].input;
        if (early.checked !== undefined) input.checked = early.checked;
        else input.value = early.value;
        return early.row;
    },

    quenlor_show_window__deps: ["$quenlorReserveScrollBars"],
    quenlor_show_window: function() {
        var quenlor = Module.quenlor;
        quenlor.window.hidden = false;
        quenlor.rows.forEach(function(row) {
            if (row.input && !row.label) quenlorReserveScrollBars(row.input);
        });
    },

    // The row of the control that has the page's focus, or -1.
    quenlor_focus: function() {
        var rows = Module.quenlor.rows;
        for (var row = 0; row < rows.length; ++row)
            if (rows[row].input === document.activeElement) return row;
        return -1;
    },

    quenlor_set_focus: function(row) {
        Module.quenlor.rows[row].input.focus();
    },

    quenlor_hide_window: function() {
        Module.quenlor.window.hidden = true;
        Module.quenlor.window.inert = true;
    },

    quenlor_remove_window: function() {
        var quenlor = Module.quenlor;
        if (!quenlor) return;
        quenlor.window.remove();
        quenlor.messages.forEach(function(message) { message.remove(); });
        Module.quenlor = undefined;
    },

    // A text box's value only changes when the text does, so that the runtime's
    // copy of what the user typed leaves the caret where it is. Only a text
    // box's text changes: the runtime writes no caption.
    quenlor_set_text: function(row, text, length) {
        var control = Module.quenlor.rows[row];
        var value = UTF8ToString(text, length);
        if (control.value != value) {
            control.value = value;
            // As on the desktop, new text shows from its start, the caret before it.
            control.input.value = value;
            control.input.setSelectionRange(0, 0);
            control.input.scrollTop = 0;
        }
    },

    // A new element each time, so that the same text said again is new to
    // the live region too.
    quenlor_announce: function(text, length) {
        var said = document.createElement("p");
        said.textContent = UTF8ToString(text, length);
        Module.quenlor.spoken.replaceChildren(said);
    },

    // A check box's or option button's mark, as the runtime gives it.
    quenlor_set_mark: function(row, checked, indeterminate) {
        var input = Module.quenlor.rows[row].input;
        input.checked = checked != 0;
        input.indeterminate = indeterminate != 0;
    },

    quenlor_set_visible__deps: ["$quenlorReserveScrollBars"],
    quenlor_set_visible: function(row, visible) {
        var control = Module.quenlor.rows[row];
        control.element.hidden = !visible;
        if (visible && control.input && !control.label) quenlorReserveScrollBars(control.input);
    },

    quenlor_checked: function(row) {
        return Module.quenlor.rows[row].input.checked ? 1 : 0;
    },

    quenlor_text_size: function(row) {
        return lengthBytesUTF8(Module.quenlor.rows[row].input.value);
    },

    quenlor_copy_text: function(row, buffer, size) {
        stringToUTF8(Module.quenlor.rows[row].input.value, buffer, size);
    },

    quenlor_show_message: function(title, title_length, text, text_length) {
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
    }
});
