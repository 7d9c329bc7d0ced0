#include "runtime/geometry.h"
#include "runtime/web/web_backend.h"
#include "tests/probe/window_probe.h"

#include <emscripten.h>

#include <optional>

// The page's side, in tests/web/web_probe.js.
extern "C" {
int quenlor_probe_input(const char* request);
void quenlor_probe_act(int row);
void quenlor_probe_listen();
int quenlor_probe_focus();
int quenlor_probe_window_shown();
int quenlor_probe_shown(int row);
int quenlor_probe_value(int row);
}

namespace probe {
namespace {

struct Stroke {
    const char* key; // the DOM's name of the key
    bool shift = false;
    bool control = false;
};

constexpr KeyTable<Stroke, key_count> strokes = {{Key::Tab, {"Tab"}},
                                                 {Key::BackTab, {"Tab", true}},
                                                 {Key::Left, {"ArrowLeft"}},
                                                 {Key::Right, {"ArrowRight"}},
                                                 {Key::Up, {"ArrowUp"}},
                                                 {Key::Down, {"ArrowDown"}},
                                                 {Key::Space, {" "}},
                                                 {Key::Enter, {"Enter"}},
                                                 {Key::Escape, {"Escape"}},
                                                 {Key::Delete, {"Delete"}},
                                                 {Key::Backspace, {"Backspace"}},
                                                 {Key::Paste, {"v", false, true}},
                                                 {Key::Cut, {"x", false, true}}};
static_assert(covers_every_key(strokes));

// The texts that a script gives, each ended by the unit separator.
std::vector<std::string> texts(const std::string& script) {
    std::vector<std::string> found(1);
    for (const char letter : std::string(emscripten_run_script_string(script.c_str())))
        if (letter == '\x1f')
            found.emplace_back();
        else
            found.back() += letter;
    found.pop_back();
    return found;
}

// The element of the control at row: the window's children are its rows.
std::string element(rt::Row row) {
    return "document.querySelector('.quenlor-window').children[" + std::to_string(row) + "]";
}

std::string key_input(Key key, bool repeat) {
    const Stroke pressed = look_up(strokes, key);
    return std::string("{\"key\": \"") + pressed.key +
           "\", \"shift\": " + (pressed.shift ? "true" : "false") +
           ", \"control\": " + (pressed.control ? "true" : "false") +
           ", \"repeat\": " + (repeat ? "true" : "false") + "}";
}

void input(const std::string& request) {
    quenlor_probe_input(request.c_str());
}

// Drives the page as a person does, and reads back what it shows, through
// web_probe.js.
class WebProbe final : public WindowProbe {
public:
    rt::Form& open(const rt::FormDefinition& definition, std::string_view name) override {
        m_form.emplace(definition, m_backend, name);
        m_form->open();
        quenlor_probe_listen();
        return *m_form;
    }

    void click(rt::Row row) override {
        const rt::PixelRect place = rt::to_pixels(m_form->control(row).rect, rt::standard_dpi);
        input("{\"click\": [" + std::to_string(place.left + place.width / 2) + ", " +
              std::to_string(place.top + place.height / 2) + "]}");
    }

    void act(rt::Row row) override { quenlor_probe_act(static_cast<int>(row)); }

    void type(std::string_view text) override {
        input("{\"type\": \"" + std::string(text) + "\"}");
    }

    void press(Key key) override { input(key_input(key, false)); }
    void hold(Key key) override { input(key_input(key, true)); }

    std::optional<rt::Row> focus() const override {
        const int row = quenlor_probe_focus();
        if (row < 0) return std::nullopt;
        return static_cast<rt::Row>(row);
    }

    bool window_shown() const override { return quenlor_probe_window_shown() != 0; }
    bool shown(rt::Row row) const override {
        return quenlor_probe_shown(static_cast<int>(row)) != 0;
    }
    std::int16_t shown_value(rt::Row row) const override {
        return static_cast<std::int16_t>(quenlor_probe_value(static_cast<int>(row)));
    }

    std::string shown_text(rt::Row row) const override {
        return emscripten_run_script_string((element(row) + ".value").c_str());
    }

    std::vector<std::string> error_boxes() const override {
        return texts("Array.from(document.querySelectorAll('dialog[open]'), function(box) {"
                     "  return box.querySelector('h2').textContent + ': ' +"
                     "    box.querySelector('p').textContent + '\\x1f'; }).join('')");
    }

    std::optional<std::vector<std::string>> announcements() const override {
        return texts("quenlorHear(quenlorListener.takeRecords());"
                     "quenlorSaid.map(function(text) { return text + '\\x1f'; }).join('')");
    }

private:
    rt::WebBackend m_backend;
    std::optional<rt::Form> m_form;
};

} // namespace

std::unique_ptr<WindowProbe> make_probe() {
    return std::make_unique<WebProbe>();
}

} // namespace probe
