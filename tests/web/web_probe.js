// The page's side of the web probe (tests/probe/web_probe.cpp): a person's
// input to the window, and what the window shows. Linked with --js-library;
// each function here is a C function there. The controls are the window's
// children, one per row of the form.
//
// Input comes as JSON: a click at a point of the window, a key by its DOM
// name, or text typed into whatever has the focus. Where the page's runner
// gives real input (quenlorRealInput, in the storm's page), the request goes
// to it and the answer is a promise, which the suspending import awaits.
// Otherwise it is dispatched inside the page: a click is hit-tested by the
// browser (elementFromPoint) and given to whatever element is there, so a
// hidden control cannot take it; a key is a keydown on the focused element,
// as the page's listener sees a key; typing goes through the browser's
// editing (insertText), which a read-only box refuses.

/* global mergeInto, LibraryManager, UTF8ToString */

mergeInto(LibraryManager.library, {
    $quenlorProbeControl: function(row) {
        return document.querySelector(".quenlor-window").children[row];
    },

    quenlor_probe_input: function(request) {
        var input = JSON.parse(UTF8ToString(request));
        if (input.click) {
            var box = document.querySelector(".quenlor-window").getBoundingClientRect();
            input.click = [box.left + input.click[0], box.top + input.click[1]];
        }
        if (globalThis.quenlorRealInput) return globalThis.quenlorRealInput(input);
        var focused = document.activeElement;
        if (input.click) {
            var hit = document.elementFromPoint(input.click[0], input.click[1]);
            if (hit) hit.click();
        } else if (input.key) {
            // The browser marks the repeats of a held key's keydown.
            (input.repeat ? [false, true] : [false]).forEach(function(repeat) {
                focused.dispatchEvent(new KeyboardEvent("keydown", {
                    key: input.key, shiftKey: input.shift, ctrlKey: input.control,
                    repeat: repeat, bubbles: true, cancelable: true}));
            });
        } else {
            if (focused.setSelectionRange)
                focused.setSelectionRange(focused.value.length, focused.value.length);
            document.execCommand("insertText", false, input.type);
        }
        return 0;
    },

    // The click that the browser gives the control's own element for a screen
    // reader's default action, which leaves the focus where it is.
    quenlor_probe_act__deps: ["$quenlorProbeControl"],
    quenlor_probe_act: function(row) {
        var control = quenlorProbeControl(row);
        (control.querySelector("input") || control).click();
    },

    // What the live region is given, as a screen reader hears it: each element
    // added to it. Records are taken when asked for, since the observer's
    // callback waits for the program to yield.
    quenlor_probe_listen: function() {
        window.quenlorSaid = [];
        window.quenlorHear = function(records) {
            records.forEach(function(record) {
                record.addedNodes.forEach(function(node) { quenlorSaid.push(node.textContent); });
            });
        };
        window.quenlorListener = new MutationObserver(quenlorHear);
        quenlorListener.observe(document.querySelector(".quenlor-window [aria-live=polite]"),
                                {childList: true});
    },

    // The row of the control that has the focus, or -1.
    quenlor_probe_focus: function() {
        var window = document.querySelector(".quenlor-window");
        return Array.prototype.findIndex.call(window.children, function(control) {
            return control.contains(document.activeElement);
        });
    },

    quenlor_probe_window_shown: function() {
        var window = document.querySelector(".quenlor-window");
        return window && window.getClientRects().length > 0 ? 1 : 0;
    },

    quenlor_probe_shown__deps: ["$quenlorProbeControl"],
    quenlor_probe_shown: function(row) {
        return quenlorProbeControl(row).getClientRects().length > 0 ? 1 : 0;
    },

    // An option button's True is -1.
    quenlor_probe_value__deps: ["$quenlorProbeControl"],
    quenlor_probe_value: function(row) {
        var input = quenlorProbeControl(row).querySelector("input");
        if (input.type == "radio") return input.checked ? -1 : 0;
        return input.indeterminate ? 2 : input.checked ? 1 : 0;
    }
});
