#include "runtime/geometry.h"
#include "runtime/web/web_backend.h"
#include "tests/contract/harness.h"
#include "tests/contract/test_form.h"

#include <emscripten.h>

#include <optional>

namespace contract {
namespace {

// Drives the page from inside it. A click is hit-tested by the browser
// (elementFromPoint at the middle of the control's place) and then given to
// whatever element is there, so a hidden control cannot take it; the
// accessibility action is the click that the browser gives the control's own
// element for a screen reader's default action; typing goes through the
// browser's editing (insertText), which a read-only box refuses.
class WebHarness final : public Harness {
public:
    rt::Form& open(const rt::FormDefinition& definition) override {
        static WebHarness* current = nullptr;
        current = this;
        set_window_probe([] { return current->window_shown(); });
        m_form.emplace(definition, m_backend, "Contract");
        m_form->open();
        // What the live region is given, as a screen reader hears it: each
        // element added to it. Records are taken when asked for, since the
        // observer's callback waits for the test to yield.
        run("window.quenlorSaid = [];"
            "window.quenlorHear = function(records) { records.forEach(function(r) {"
            "  r.addedNodes.forEach(function(n) { quenlorSaid.push(n.textContent); }); }); };"
            "window.quenlorListener = new MutationObserver(quenlorHear);"
            "quenlorListener.observe(document.querySelector('.quenlor-window [aria-live=polite]'),"
            "  {childList: true});");
        return *m_form;
    }

    void click(rt::Row row) override {
        const rt::PixelRect place = rt::to_pixels(m_form->control(row).rect, rt::standard_dpi);
        const std::string x = std::to_string(place.left + place.width / 2);
        const std::string y = std::to_string(place.top + place.height / 2);
        run("var box = document.querySelector('.quenlor-window').getBoundingClientRect();"
            "var hit = document.elementFromPoint(box.left + " +
            x + ", box.top + " + y +
            ");"
            "if (hit) hit.click();");
    }

    bool act(rt::Row row) override {
        run("var control = " + element(row) +
            "; (control.querySelector('input') || control).click();");
        return true;
    }

    void type(rt::Row row, std::string_view text) override {
        run("var box = " + element(row) +
            "; box.focus(); box.setSelectionRange(box.value.length, "
            "box.value.length); document.execCommand('insertText', false, '" +
            std::string(text) + "');");
    }

    void press(rt::Key key) override { run(key_down(key, false)); }

    // The browser marks the repeats of a held key's keydown.
    void hold(rt::Key key) override { run(key_down(key, false) + key_down(key, true)); }

    std::optional<rt::Row> focus() const override {
        const int row = number("var w = document.querySelector('.quenlor-window');"
                               "Array.prototype.findIndex.call(w.children, function(c) {"
                               "  return c.contains(document.activeElement); })");
        if (row < 0) return std::nullopt;
        return static_cast<rt::Row>(row);
    }

    bool window_shown() const override {
        return number("var w = document.querySelector('.quenlor-window');"
                      "w && w.getClientRects().length > 0 ? 1 : 0") != 0;
    }

    bool shown(rt::Row row) const override {
        return number(element(row) + ".getClientRects().length > 0 ? 1 : 0") != 0;
    }

    std::int16_t shown_value(rt::Row row) const override {
        return static_cast<std::int16_t>(
            number("var input = " + element(row) +
                   ".querySelector('input');"
                   "input.type == 'radio' ? (input.checked ? -1 : 0)"
                   " : input.indeterminate ? 2 : input.checked ? 1 : 0"));
    }

    std::string shown_text(rt::Row row) const override {
        return emscripten_run_script_string((element(row) + ".value").c_str());
    }

    std::vector<std::string> error_boxes() const override {
        const int count = number("document.querySelectorAll('dialog[open]').length");
        std::vector<std::string> boxes;
        for (int i = 0; i < count; ++i)
            boxes.push_back(emscripten_run_script_string(
                ("var box = document.querySelectorAll('dialog[open]')[" + std::to_string(i) +
                 "]; box.querySelector('h2').textContent + ': ' + "
                 "box.querySelector('p').textContent")
                    .c_str()));
        return boxes;
    }

    std::optional<std::vector<std::string>> announcements() const override {
        const int count = number("quenlorHear(quenlorListener.takeRecords()); quenlorSaid.length");
        std::vector<std::string> said;
        for (int i = 0; i < count; ++i)
            said.push_back(
                emscripten_run_script_string(("quenlorSaid[" + std::to_string(i) + "]").c_str()));
        return said;
    }

private:
    // The element of the control at row: the window's children are its rows.
    static std::string element(rt::Row row) {
        return "document.querySelector('.quenlor-window').children[" + std::to_string(row) + "]";
    }

    // A keydown event on the focused element, as the page's listener sees a
    // key; the browser's own handling of it is the listener's to prevent.
    static std::string key_down(rt::Key key, bool repeat) {
        static constexpr const char* keys[] = {"Tab",        "Tab",     "ArrowLeft",
                                               "ArrowRight", "ArrowUp", "ArrowDown",
                                               " ",          "Enter",   "Escape"};
        return std::string("document.activeElement.dispatchEvent(new KeyboardEvent('keydown', "
                           "{key: '") +
               keys[static_cast<int>(key)] +
               "', shiftKey: " + (key == rt::Key::BackTab ? "true" : "false") +
               ", repeat: " + (repeat ? "true" : "false") + ", bubbles: true, cancelable: true}));";
    }

    static void run(const std::string& script) { emscripten_run_script(script.c_str()); }

    static int number(const std::string& script) {
        return emscripten_run_script_int(script.c_str());
    }

    rt::WebBackend m_backend;
    std::optional<rt::Form> m_form;
};

} // namespace

std::unique_ptr<Harness> make_harness() {
    return std::make_unique<WebHarness>();
}

} // namespace contract
