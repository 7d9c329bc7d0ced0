#include "runtime/headless/headless_backend.h"
#include "tests/line_breaks.h"
#include "tests/probe/window_probe.h"

#include <optional>

namespace probe {
namespace {

// The in-memory window's keys are the runtime's; the editing keys have no
// meaning in it, as it keeps no caret, selection or clipboard.
constexpr KeyTable<std::optional<rt::Key>, key_count> runtime_keys = {
    {Key::Tab, rt::Key::Tab},     {Key::BackTab, rt::Key::BackTab}, {Key::Left, rt::Key::Left},
    {Key::Right, rt::Key::Right}, {Key::Up, rt::Key::Up},           {Key::Down, rt::Key::Down},
    {Key::Space, rt::Key::Space}, {Key::Enter, rt::Key::Enter},     {Key::Escape, rt::Key::Escape},
    {Key::Delete, std::nullopt},  {Key::Backspace, std::nullopt},   {Key::Paste, std::nullopt},
    {Key::Cut, std::nullopt}};
static_assert(covers_every_key(runtime_keys));

class HeadlessProbe final : public WindowProbe {
public:
    rt::Form& open(const rt::FormDefinition& definition, std::string_view name) override {
        m_form.emplace(definition, m_backend, name);
        m_form->open();
        return *m_form;
    }

    void click(rt::Row row) override { m_backend.click(row); }
    void act(rt::Row row) override { m_backend.act(row); }
    void type(std::string_view text) override { m_backend.type(text); }
    void press(Key key) override {
        if (const std::optional<rt::Key> pressed = look_up(runtime_keys, key))
            m_backend.press(*pressed);
    }
    void hold(Key key) override {
        if (const std::optional<rt::Key> held = look_up(runtime_keys, key)) {
            m_backend.press(*held);
            m_backend.press(*held, true);
        }
    }
    std::optional<rt::Row> focus() const override { return m_backend.focus(); }

    bool window_shown() const override { return m_backend.shown(); }
    bool shown(rt::Row row) const override { return m_backend.widget(row).visible; }
    std::int16_t shown_value(rt::Row row) const override { return m_backend.widget(row).value; }
    std::string shown_text(rt::Row row) const override {
        return lf_only(m_backend.widget(row).text);
    }
    std::vector<std::string> error_boxes() const override { return m_backend.reports(); }
    std::optional<std::vector<std::string>> announcements() const override {
        std::vector<std::string> texts;
        for (const auto& [row, text] : m_backend.announcements()) texts.push_back(lf_only(text));
        return texts;
    }

private:
    rt::HeadlessBackend m_backend;
    std::optional<rt::Form> m_form;
};

} // namespace

std::unique_ptr<WindowProbe> make_probe() {
    return std::make_unique<HeadlessProbe>();
}

} // namespace probe
