#include "runtime/win32/wide_text.h"
#include "runtime/win32/win32_backend.h"
#include "tests/line_breaks.h"
#include "tests/probe/window_probe.h"
#include "tests/win32/user_input.h"

#include <oleacc.h>

#include <optional>
#include <stdexcept>

namespace probe {
namespace {

constexpr DWORD live_region_changed = 0x8019; // EVENT_OBJECT_LIVEREGIONCHANGED, Windows 8's

struct Stroke {
    WORD key;
    bool shift = false;
    bool control = false;
};

constexpr KeyTable<Stroke, key_count> strokes = {{Key::Tab, {VK_TAB}},
                                                 {Key::BackTab, {VK_TAB, true}},
                                                 {Key::Left, {VK_LEFT}},
                                                 {Key::Right, {VK_RIGHT}},
                                                 {Key::Up, {VK_UP}},
                                                 {Key::Down, {VK_DOWN}},
                                                 {Key::Space, {VK_SPACE}},
                                                 {Key::Enter, {VK_RETURN}},
                                                 {Key::Escape, {VK_ESCAPE}},
                                                 {Key::Delete, {VK_DELETE}},
                                                 {Key::Backspace, {VK_BACK}},
                                                 {Key::Paste, {'V', false, true}},
                                                 {Key::Cut, {'X', false, true}}};
static_assert(covers_every_key(strokes));

// The native window through the system's input queue: clicks at a control's
// place, keys to whatever has the focus, assistive actions through oleacc.
class Win32Probe final : public WindowProbe {
public:
    ~Win32Probe() override {
        if (m_hook) UnhookWinEvent(m_hook);
        m_form.reset();
    }

    rt::Form& open(const rt::FormDefinition& definition, std::string_view name) override {
        hooked = this;
        m_form.emplace(definition, m_backend, name);
        m_form->open();
        m_backend.process_pending();
        // As a screen reader hears of live regions: a WinEvent hook, here on
        // this process alone.
        m_hook = SetWinEventHook(live_region_changed, live_region_changed, nullptr, on_live_region,
                                 GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        if (!m_hook) throw std::runtime_error("SetWinEventHook failed");
        return *m_form;
    }

    void click(rt::Row row) override {
        const rt::PixelRect rect = rt::to_pixels(m_form->control(row).rect, m_backend.dpi());
        const POINT middle{rect.left + rect.width / 2, rect.top + rect.height / 2};
        watch_for_message_boxes([&] { win32_test::click(m_backend, middle); });
    }

    void act(rt::Row row) override {
        watch_for_message_boxes([&] { win32_test::act(m_backend, m_backend.control(row)); });
    }

    // The button's default action is a click, and a click gives the focus.
    bool action_moves_focus() const override { return true; }

    void type(std::string_view text) override { win32_test::type(m_backend, rt::widen(text)); }

    void press(Key key) override {
        const Stroke pressed = look_up(strokes, key);
        watch_for_message_boxes(
            [&] { win32_test::press(m_backend, pressed.key, pressed.shift, pressed.control); });
    }

    void hold(Key key) override {
        const Stroke held = look_up(strokes, key);
        win32_test::hold(m_backend, held.key, held.shift);
    }

    std::optional<rt::Row> focus() const override { return row_of(GetFocus()); }

    bool window_shown() const override {
        return m_backend.window() && IsWindowVisible(m_backend.window());
    }
    bool shown(rt::Row row) const override { return IsWindowVisible(m_backend.control(row)); }

    std::int16_t shown_value(rt::Row row) const override {
        const LRESULT state = SendMessageW(m_backend.control(row), BM_GETCHECK, 0, 0);
        if (m_form->control(row).kind == rt::ControlKind::OptionButton)
            return state == BST_CHECKED ? rt::True : rt::False;
        if (state == BST_INDETERMINATE) return rt::Grayed;
        return state == BST_CHECKED ? rt::Checked : rt::Unchecked;
    }

    // Read back with WM_GETTEXT.
    std::string shown_text(rt::Row row) const override {
        return lf_only(rt::narrow(rt::window_text(m_backend.control(row))));
    }

    std::vector<std::string> error_boxes() const override { return m_error_boxes; }

    std::optional<std::vector<std::string>> announcements() const override {
        m_backend.process_pending();
        return m_announcements;
    }

private:
    template <typename Action> void watch_for_message_boxes(const Action& action) {
        win32_test::MessageBoxWatch watch;
        action();
        for (const std::wstring& box : watch.seen()) m_error_boxes.push_back(rt::narrow(box));
    }

    // Each live region's change, as the text read from the accessible object
    // of the window that raised it; anything but the form's text box is
    // noted as such.
    static void CALLBACK on_live_region(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child,
                                        DWORD, DWORD) {
        Win32Probe& self = *hooked;
        const std::optional<rt::Row> row = self.row_of(window);
        if (!row || self.m_form->control(*row).kind != rt::ControlKind::TextBox) {
            self.m_announcements.push_back("(not a text box)");
            return;
        }
        IAccessible* accessible = nullptr;
        VARIANT item{};
        BSTR value = nullptr;
        if (FAILED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object),
                                             static_cast<DWORD>(child), &accessible, &item))) {
            self.m_announcements.push_back("(no accessible object)");
            return;
        }
        if (SUCCEEDED(accessible->get_accValue(item, &value)) && value) {
            self.m_announcements.push_back(lf_only(rt::narrow(std::wstring(value))));
            SysFreeString(value);
        } else {
            self.m_announcements.push_back("(no value)");
        }
        accessible->Release();
    }

    std::optional<rt::Row> row_of(HWND window) const {
        for (rt::Row row = 0; row < m_form->size(); ++row)
            if (m_backend.control(row) == window) return row;
        return std::nullopt;
    }

    static inline Win32Probe* hooked = nullptr;

    mutable rt::Win32Backend m_backend;
    std::optional<rt::Form> m_form;
    std::vector<std::string> m_error_boxes;
    HWINEVENTHOOK m_hook = nullptr;
    std::vector<std::string> m_announcements;
};

} // namespace

std::unique_ptr<WindowProbe> make_probe() {
    return std::make_unique<Win32Probe>();
}

} // namespace probe
