#pragma once

#include "runtime/form.h"
#include "runtime/win32/win32_backend.h"
#include "tests/storm/storm.h"

namespace storm {

// Storms the native window through the system's input queue: clicks at a
// control's place, keys to whatever has the focus.
class Win32Driver final : public Driver {
public:
    explicit Win32Driver(const rt::FormDefinition& definition);

    void click(int target) override;
    void key(Key key) override;
    void type(const std::string& text) override;
    void act(int target) override;
    // The button's default action is a click, and a click gives the focus.
    ActionFocus action_focus() const override { return ActionFocus::Moves; }

protected:
    rt::Form& form() override { return m_form; }
    bool shown(rt::Row row) override;
    std::int16_t value(rt::Row row) override;
    std::string window_text(rt::Row row) override;
    std::optional<rt::Row> focused() override;

private:
    rt::Win32Backend m_window;
    rt::Form m_form;
};

} // namespace storm
