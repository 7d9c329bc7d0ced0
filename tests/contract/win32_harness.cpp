#include "runtime/win32/wide_text.h"
#include "runtime/win32/win32_backend.h"
#include "tests/contract/harness.h"
#include "tests/contract/test_form.h"
#include "tests/line_breaks.h"
#include "tests/win32/user_input.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <optional>

namespace contract {
namespace {

constexpr DWORD live_region_changed = 0x8019; // EVENT_OBJECT_LIVEREGIONCHANGED, Windows 8's

class Win32Harness final : public Harness {
public:
    ~Win32Harness() override {
        if (m_hook) UnhookWinEvent(m_hook);
        m_form.reset();
    }

    rt::Form& open(const rt::FormDefinition& definition) override {
        static Win32Harness* current = nullptr;
        current = this;
        hooked = this;
        set_window_probe([] {
            HWND window = current->m_backend.window();
            return window && IsWindowVisible(window) != FALSE;
        });
        m_form.emplace(definition, m_backend, "Contract");
        m_form->open();
        m_backend.process_pending();
        // As a screen reader hears of live regions: a WinEvent hook, here on
        // this process alone.
        m_hook = SetWinEventHook(live_region_changed, live_region_changed, nullptr, on_live_region,
                                 GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        EXPECT_NE(m_hook, nullptr);
        return *m_form;
    }

    void click(rt::Row row) override {
        const rt::PixelRect rect = rt::to_pixels(m_form->control(row).rect, m_backend.dpi());
        const POINT middle{rect.left + rect.width / 2, rect.top + rect.height / 2};
        win32_test::MessageBoxWatch watch;
        win32_test::click(m_backend, middle);
        for (const std::wstring& box : watch.seen()) m_error_boxes.push_back(rt::narrow(box));
    }

    bool act(rt::Row row) override {
        win32_test::MessageBoxWatch watch;
        win32_test::act(m_backend, m_backend.control(row));
        for (const std::wstring& box : watch.seen()) m_error_boxes.push_back(rt::narrow(box));
        return true;
    }

    void type(rt::Row row, std::string_view text) override {
        SetFocus(m_backend.control(row));
        win32_test::type(m_backend, rt::widen(text));
    }

    void press(rt::Key key) override {
        win32_test::MessageBoxWatch watch;
        win32_test::press(m_backend, virtual_key(key), key == rt::Key::BackTab);
        for (const std::wstring& box : watch.seen()) m_error_boxes.push_back(rt::narrow(box));
    }

    void hold(rt::Key key) override {
        win32_test::hold(m_backend, virtual_key(key), key == rt::Key::BackTab);
    }

    std::optional<rt::Row> focus() const override {
        for (rt::Row row = 0; row < m_form->size(); ++row)
            if (m_backend.control(row) == GetFocus()) return row;
        return std::nullopt;
    }

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

    std::string shown_text(rt::Row row) const override {
        return lf_only(rt::narrow(rt::window_text(m_backend.control(row))));
    }

    std::vector<std::string> error_boxes() const override { return m_error_boxes; }

    std::optional<std::vector<std::string>> announcements() const override {
        m_backend.process_pending();
        return m_announcements;
    }

private:
    // Each live region's change, as the text read from the accessible object
    // of the window that raised it; anything but the form's text box is
    // noted as such.
    static void CALLBACK on_live_region(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child,
                                        DWORD, DWORD) {
        Win32Harness& self = *hooked;
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

    static WORD virtual_key(rt::Key key) {
        static constexpr WORD keys[] = {VK_TAB,  VK_TAB,   VK_LEFT,   VK_RIGHT, VK_UP,
                                        VK_DOWN, VK_SPACE, VK_RETURN, VK_ESCAPE};
        return keys[static_cast<int>(key)];
    }

    static inline Win32Harness* hooked = nullptr;

    mutable rt::Win32Backend m_backend;
    std::optional<rt::Form> m_form;
    std::vector<std::string> m_error_boxes;
    HWINEVENTHOOK m_hook = nullptr;
    std::vector<std::string> m_announcements;
};

} // namespace

std::unique_ptr<Harness> make_harness() {
    return std::make_unique<Win32Harness>();
}

} // namespace contract
