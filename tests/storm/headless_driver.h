#pragma once

#include "runtime/form.h"
#include "runtime/headless/headless_backend.h"
#include "tests/storm/storm.h"

namespace storm {

// Storms the in-memory window.
class HeadlessDriver final : public Driver {
public:
    explicit HeadlessDriver(const rt::FormDefinition& definition);

    void click(int target) override;
    void key(Key key) override;
    void type(const std::string& text) override { m_window.type(text); }
    void act(int target) override;

protected:
    rt::Form& form() override { return m_form; }
    bool shown(rt::Row row) override { return m_window.widget(row).visible; }
    std::int16_t value(rt::Row row) override { return m_window.widget(row).value; }
    std::string window_text(rt::Row row) override { return m_window.widget(row).text; }
    std::optional<rt::Row> focused() override { return m_window.focus(); }

private:
    rt::HeadlessBackend m_window;
    rt::Form m_form;
};

} // namespace storm
