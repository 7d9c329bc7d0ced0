#include "runtime/headless/headless_backend.h"
#include "tests/contract/harness.h"
#include "tests/contract/test_form.h"
#include "tests/line_breaks.h"

#include <optional>

namespace contract {
namespace {

class HeadlessHarness final : public Harness {
public:
    rt::Form& open(const rt::FormDefinition& definition) override {
        static HeadlessHarness* current = nullptr;
        current = this;
        set_window_probe([] { return current->m_backend.shown(); });
        m_form.emplace(definition, m_backend, "Contract");
        m_form->open();
        return *m_form;
    }

    void click(rt::Row row) override { m_backend.click(row); }
    bool act(rt::Row row) override {
        m_backend.act(row);
        return true;
    }
    void type(rt::Row row, std::string_view text) override { m_backend.type(row, text); }
    void press(rt::Key key) override { m_backend.press(key); }
    void hold(rt::Key key) override {
        m_backend.press(key);
        m_backend.press(key, true);
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

std::unique_ptr<Harness> make_harness() {
    return std::make_unique<HeadlessHarness>();
}

} // namespace contract
