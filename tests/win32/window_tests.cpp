// The native window of the news selection form: what only this backend can
// get wrong. Input goes through the system's input queue, as a person's does.

#include "form/exercise_statement.h"
#include "form/quenlor_form.h"
#include "runtime/form.h"
#include "runtime/win32/wide_text.h"
#include "runtime/win32/win32_backend.h"
#include "tests/win32/user_input.h"
#include "tests/window_expectations.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <optional>

namespace {

class NativeWindow : public testing::Test {
protected:
    void SetUp() override {
        form.emplace(quenlor::form(), backend, quenlor::title);
        ASSERT_TRUE(form->open());
        backend.process_pending();
    }
    void TearDown() override { form.reset(); }

    HWND control(const char* array, int index) const {
        return backend.control(form->find(array, static_cast<rt::Index>(index)).value());
    }
    RECT place(HWND handle) const {
        RECT rect;
        GetWindowRect(handle, &rect);
        MapWindowPoints(nullptr, backend.window(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    void click(const char* array, int index) {
        const RECT rect = place(control(array, index));
        win32_test::click(backend, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    }
    void press(WORD key, bool shift = false, bool ctrl = false) {
        win32_test::press(backend, key, shift, ctrl);
    }
    // What the text box holds, read back with WM_GETTEXT.
    std::string shown_text() const { return rt::narrow(rt::window_text(control("Text1", 0))); }
    void expect_colours(const std::vector<expected::Sample>& samples) {
        RedrawWindow(backend.window(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        HDC dc = GetDC(backend.window());
        for (const expected::Sample& sample : samples)
            EXPECT_EQ(GetPixel(dc, sample.x, sample.y), RGB(sample.red, sample.green, sample.blue))
                << sample.where << " at " << sample.x << "," << sample.y;
        ReleaseDC(backend.window(), dc);
    }

    rt::Win32Backend backend;
    std::optional<rt::Form> form;
};

TEST_F(NativeWindow, IsAFixedWindowWithItsCaptionAndOnlyACloseBox) {
    RECT client;
    GetClientRect(backend.window(), &client);
    EXPECT_EQ(client.right, expected::client_width());
    EXPECT_EQ(client.bottom, expected::client_height());
    EXPECT_EQ(rt::narrow(rt::window_text(backend.window())), expected::window().caption);
    const LONG_PTR style = GetWindowLongPtrW(backend.window(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_NE(SendMessageW(backend.window(), WM_GETICON, ICON_BIG, 0), 0) << "the form's icon";
    EXPECT_NE(SendMessageW(backend.window(), WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(NativeWindow, EveryControlIsAtItsPlace) {
    for (const expected::Place& expected : expected::places()) {
        const RECT rect = place(control(expected.array.c_str(), expected.index));
        EXPECT_EQ(rect.left, expected.left) << expected.array << expected.index;
        EXPECT_EQ(rect.top, expected.top) << expected.array << expected.index;
        EXPECT_EQ(rect.right - rect.left, expected.width) << expected.array << expected.index;
        EXPECT_EQ(rect.bottom - rect.top, expected.height) << expected.array << expected.index;
    }
}

TEST_F(NativeWindow, UsesTheSerifFontAt12PointsInCyrillic) {
    HWND label = control("Label1", 0);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
    LOGFONTW asked{};
    GetObjectW(font, sizeof asked, &asked);
    EXPECT_EQ(asked.lfHeight, -16) << "12 points at 96 dpi, as character height";
    EXPECT_EQ(asked.lfCharSet, RUSSIAN_CHARSET);

    HDC dc = GetDC(label);
    const HGDIOBJ old = SelectObject(dc, font);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int charset = GetTextCharset(dc);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    const std::string name = rt::narrow(face);
    EXPECT_TRUE(name == "Times New Roman" || name == "Liberation Serif") << name;
    EXPECT_NEAR(metrics.tmHeight - metrics.tmInternalLeading, 16, 1);
    EXPECT_EQ(metrics.tmWeight, FW_NORMAL);
    EXPECT_EQ(charset, RUSSIAN_CHARSET) << "the face that was found shows Cyrillic";
}

TEST_F(NativeWindow, BackColoursFillEachControl) {
    click("Option1", 0);
    expect_colours(expected::bad_news_title_colours());
    click("Option1", 1);
    expect_colours(expected::good_news_colours());
}

// The edit control holds CR LF as the form wrote it (the storms read it back
// with LF only).
TEST_F(NativeWindow, TheTextBoxKeepsCrLfAndShowsTheSummary) {
    EXPECT_EQ(shown_text(), quenlor::exercise_statement);
    click("Option1", 0);
    click("Check1", 0);
    click("Check1", 3);
    click("Command1", 0);
    EXPECT_EQ(shown_text(),
              "Вие избрахте: Лоша новина:\r\nРаздяла;\r\nЛоша оценка;\r\nДобра новина:\r\n");
}

// Found by a storm: a second click soon after the first arrives as a double
// click, which the edit control takes without taking the focus.
TEST_F(NativeWindow, AQuickSecondClickStillGivesTheFocus) {
    click("Text1", 0);
    press(VK_TAB);
    EXPECT_EQ(GetFocus(), control("Option1", 0));
    click("Text1", 0);
    EXPECT_EQ(GetFocus(), control("Text1", 0));
}

TEST_F(NativeWindow, TheLockedTextBoxCanBeSelectedAndCopiedButNotChanged) {
    HWND box = control("Text1", 0);
    SetFocus(box);
    win32_test::type(backend, L"abc");
    for (WORD key : {WORD{VK_BACK}, WORD{VK_DELETE}, WORD{VK_RETURN}}) press(key);
    press('V', false, true);
    press('X', false, true);
    EXPECT_EQ(shown_text(), quenlor::exercise_statement);
    EXPECT_EQ(form->state(form->find("Text1", 0).value()).text, quenlor::exercise_statement);

    press('A', false, true);
    DWORD start = 1, end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthW(box)));

    press('C', false, true);
    ASSERT_TRUE(OpenClipboard(backend.window()));
    std::string clipboard;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        clipboard = rt::narrow(static_cast<const wchar_t*>(GlobalLock(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    EXPECT_EQ(clipboard, quenlor::exercise_statement);
}

TEST_F(NativeWindow, CommandButtonsHaveARaisedEdgeAroundTheirFill) {
    RedrawWindow(backend.window(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC dc = GetDC(backend.window());
    const COLORREF top_left = GetPixel(dc, 384, 40);
    const COLORREF bottom_right = GetPixel(dc, 384 + 80, 40 + 24);
    ReleaseDC(backend.window(), dc);
    EXPECT_GT(GetRValue(top_left) + GetGValue(top_left) + GetBValue(top_left), 3 * 190);
    EXPECT_LT(GetRValue(bottom_right) + GetGValue(bottom_right) + GetBValue(bottom_right), 3 * 130);
}

// What a screen reader learns of an accessible object through oleacc: role,
// name, child count and the window that stands behind it.
struct Seen {
    LONG role = 0;
    std::string name;
    LONG children = 0;
    HWND window = nullptr;
};

Seen seen(IDispatch* object) {
    Seen found;
    IAccessible* accessible = nullptr;
    if (!object || FAILED(object->QueryInterface(__uuidof(IAccessible),
                                                 reinterpret_cast<void**>(&accessible))))
        return found;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    if (SUCCEEDED(accessible->get_accRole(self, &role)) && role.vt == VT_I4) found.role = role.lVal;
    BSTR name = nullptr;
    if (SUCCEEDED(accessible->get_accName(self, &name)) && name) {
        found.name = rt::narrow(name);
        SysFreeString(name);
    }
    accessible->get_accChildCount(&found.children);
    WindowFromAccessibleObject(accessible, &found.window);
    accessible->Release();
    return found;
}

// Each option button's accessible parent is one grouping named by the
// heading, whose children are the two buttons in order and whose own parent
// is the window's client area: NVDA and JAWS say the name on entering it.
TEST_F(NativeWindow, TheOptionButtonsAreOneGroupNamedByTheHeading) {
    static const bool com = SUCCEEDED(CoInitialize(nullptr));
    (void)com;
    const std::string heading = rt::narrow(rt::window_text(control("Label1", 0)));
    ASSERT_EQ(heading, "Избор на тип и вид новина");
    for (int index : {0, 1}) {
        IAccessible* option = nullptr;
        ASSERT_HRESULT_SUCCEEDED(
            AccessibleObjectFromWindow(control("Option1", index), static_cast<DWORD>(OBJID_CLIENT),
                                       __uuidof(IAccessible), reinterpret_cast<void**>(&option)));
        IDispatch* parent = nullptr;
        EXPECT_HRESULT_SUCCEEDED(option->get_accParent(&parent));
        option->Release();
        const Seen group = seen(parent);
        EXPECT_EQ(group.role, ROLE_SYSTEM_GROUPING) << "Option1(" << index << ")'s parent";
        EXPECT_EQ(group.name, heading);
        EXPECT_EQ(group.children, 2);

        IAccessible* as_group = nullptr;
        if (parent)
            parent->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&as_group));
        ASSERT_NE(as_group, nullptr);
        for (LONG child : {1, 2}) {
            VARIANT id{};
            id.vt = VT_I4;
            id.lVal = child;
            IDispatch* member = nullptr;
            EXPECT_HRESULT_SUCCEEDED(as_group->get_accChild(id, &member));
            const Seen button = seen(member);
            EXPECT_EQ(button.role, ROLE_SYSTEM_RADIOBUTTON) << "child " << child;
            EXPECT_EQ(button.name, rt::narrow(rt::window_text(control("Option1", child - 1))));
            if (member) member->Release();
        }
        IDispatch* grandparent = nullptr;
        EXPECT_HRESULT_SUCCEEDED(as_group->get_accParent(&grandparent));
        const Seen client = seen(grandparent);
        EXPECT_EQ(client.role, ROLE_SYSTEM_CLIENT);
        EXPECT_EQ(client.window, backend.window());
        if (grandparent) grandparent->Release();
        as_group->Release();
        parent->Release();
    }
    IAccessible* box = nullptr;
    ASSERT_HRESULT_SUCCEEDED(
        AccessibleObjectFromWindow(control("Check1", 0), static_cast<DWORD>(OBJID_CLIENT),
                                   __uuidof(IAccessible), reinterpret_cast<void**>(&box)));
    IDispatch* box_parent = nullptr;
    box->get_accParent(&box_parent);
    box->Release();
    EXPECT_NE(seen(box_parent).role, ROLE_SYSTEM_GROUPING) << "a check box is in no group";
    if (box_parent) box_parent->Release();
}

} // namespace
