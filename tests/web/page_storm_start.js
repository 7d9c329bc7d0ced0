// The start of the storm's page, run before the program: the probe's input
// reaches the page as real input events from the runner (run_page.py), which
// the program awaits through WebAssembly's promise integration; and the
// page's planted fault, switched on by the test.

/* global Module, ENV, wasmBinaryFile, findWasmBinary, _quenlor_probe_input, _quenlor_set_focus */

// The storm's settings, from the page's address (run_page.py puts them there).
Module["preRun"].push(function() {
    new URLSearchParams(location.search).forEach(function(value, name) { ENV[name] = value; });
});

// The faults the test plants in the page, each off until it asks.
globalThis.quenlorFaults = {
    // The page ignores the runtime's focus move while a check box has the
    // focus, as when the box is hidden: the focus stays on the hidden box.
    focusKeptOnCheckBox: false
};

// Requests the program asked for and the runner has not taken, the one it
// took last, and the runner waiting for the next.
var quenlorInput = {asked: [], taken: null, waiting: null, status: undefined};

function quenlorHandOn() {
    if (!quenlorInput.waiting) return;
    if (quenlorInput.asked.length) {
        quenlorInput.taken = quenlorInput.asked.shift();
        quenlorInput.waiting(quenlorInput.taken.request);
    } else if (quenlorInput.status !== undefined) {
        quenlorInput.waiting({status: quenlorInput.status});
    } else {
        return;
    }
    quenlorInput.waiting = null;
}

globalThis.quenlorRealInput = function(request) {
    return new Promise(function(done) {
        quenlorInput.asked.push({request: request, done: done});
        quenlorHandOn();
    });
};

// The runner's call once it has carried out the request it took: the
// program goes on, and the answer is its next request, or {status} at its end.
globalThis.quenlorNextInput = function() {
    var next = new Promise(function(take) { quenlorInput.waiting = take; });
    var taken = quenlorInput.taken;
    quenlorInput.taken = null;
    if (taken) taken.done(0);
    quenlorHandOn();
    return next;
};

// The program's end, from the test's main.
globalThis.quenlorEnded = function(status) {
    quenlorInput.status = status;
    window.quenlorTestStatus = status;
    quenlorHandOn();
};

// The input import suspends the program while its promise is pending; the
// page's focus call carries the planted fault.
Module["instantiateWasm"] = function(imports, receive) {
    var focusKeptOnCheckBox = function(row) {
        var focused = document.activeElement;
        if (quenlorFaults.focusKeptOnCheckBox && focused && focused.type == "checkbox") return;
        _quenlor_set_focus(row);
    };
    Object.keys(imports).forEach(function(module) {
        Object.keys(imports[module]).forEach(function(name) {
            if (imports[module][name] === _quenlor_probe_input)
                imports[module][name] = new WebAssembly.Suspending(_quenlor_probe_input);
            else if (imports[module][name] === _quenlor_set_focus)
                imports[module][name] = focusKeptOnCheckBox;
        });
    });
    // Debian 12's Emscripten (3.1.6) names the file before this call,
    // Debian 13's (3.1.69) only after it.
    var file = wasmBinaryFile || findWasmBinary();
    WebAssembly.instantiateStreaming(fetch(file), imports).then(function(result) {
        // The program's function table, by what it is, whatever name the
        // release of Emscripten gives it: the test's main runs from it.
        globalThis.quenlorFunctions = Object.values(result.instance.exports).find(function(value) {
            return value instanceof WebAssembly.Table;
        });
        receive(result.instance, result.module);
    });
    return {};
};
