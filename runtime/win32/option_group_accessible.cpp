#include "runtime/win32/option_group_accessible.h"

#include "runtime/win32/counted_accessible.h"
#include "runtime/win32/ole_functions.h"
#include "runtime/win32/wide_text.h"

#include <oleacc.h>

#include <vector>

namespace rt {

namespace {

// The button styles mean other things to other classes: a label's style can
// look like an option button's.
bool is_option(HWND control) {
    wchar_t name[16] = {};
    GetClassNameW(control, name, 16);
    if (lstrcmpiW(name, L"Button") != 0) return false;
    const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

// The window's option buttons, in the window's order.
std::vector<HWND> options_of(HWND window) {
    std::vector<HWND> options;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (is_option(child)) options.push_back(child);
    return options;
}

// A window's own client object, as oleacc gives it to any client.
IDispatch* client_object(HWND window) {
    IDispatch* object = nullptr;
    if (!ole().from_window ||
        FAILED(ole().from_window(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IDispatch),
                                 reinterpret_cast<void**>(&object))))
        return nullptr;
    return object;
}

bool is_self(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT no_text(BSTR* text) {
    if (!text) return E_POINTER;
    *text = nullptr;
    return S_FALSE;
}

HRESULT answer_object(IDispatch* object, VARIANT* answer) {
    if (!object) {
        answer->vt = VT_EMPTY;
        return S_FALSE;
    }
    answer->vt = VT_DISPATCH;
    answer->pdispVal = object;
    return S_OK;
}

// The option buttons' grouping. Its children are numbered from 1 in the
// window's order and handed out as the buttons' own accessible objects.
class OptionGroup final : public CountedAccessible {
public:
    OptionGroup(HWND window, HWND heading) : m_window(window), m_heading(heading) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (id != __uuidof(IUnknown) && id != __uuidof(IDispatch) && id != __uuidof(IAccessible))
            return E_NOINTERFACE;
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }

    // Clients reach it through IAccessible's own calls, never by name.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = client_object(m_window);
        return *parent ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (!count) return E_POINTER;
        *count = static_cast<LONG>(options_of(m_window).size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        const HWND option = option_at(child);
        if (!option) return E_INVALIDARG;
        *object = client_object(option);
        return *object ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_POINTER;
        *name = nullptr;
        if (!is_self(child)) return E_INVALIDARG;
        if (!m_heading || !ole().alloc_string) return S_FALSE;
        *name = ole().alloc_string(window_text(m_heading).c_str());
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override { return no_text(value); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override {
        return no_text(text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        if (!is_self(child)) return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_GROUPING;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!state) return E_POINTER;
        if (!is_self(child)) return E_INVALIDARG;
        bool shown = false;
        for (HWND option : options_of(m_window)) shown = shown || IsWindowVisible(option);
        state->vt = VT_I4;
        state->lVal = shown ? 0 : STATE_SYSTEM_INVISIBLE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override { return no_text(help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        if (topic) *topic = 0;
        return no_text(file);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override {
        return no_text(shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        if (!child) return E_POINTER;
        const HWND focused = GetFocus();
        for (HWND option : options_of(m_window))
            if (option == focused) return answer_object(client_object(option), child);
        child->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        if (!children) return E_POINTER;
        children->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* action) override {
        return no_text(action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    // As large as its buttons together, on the screen.
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        if (!is_self(child)) return E_INVALIDARG;
        RECT all{};
        for (HWND option : options_of(m_window)) {
            RECT place;
            GetWindowRect(option, &place);
            UnionRect(&all, &all, &place);
        }
        *left = all.left;
        *top = all.top;
        *width = all.right - all.left;
        *height = all.bottom - all.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        end->vt = VT_EMPTY;
        if (!is_self(start)) return E_INVALIDARG;
        const std::vector<HWND> options = options_of(m_window);
        if (options.empty()) return S_FALSE;
        if (direction == NAVDIR_FIRSTCHILD)
            return answer_object(client_object(options.front()), end);
        if (direction == NAVDIR_LASTCHILD) return answer_object(client_object(options.back()), end);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        if (!child) return E_POINTER;
        const POINT point{x, y};
        for (HWND option : options_of(m_window)) {
            RECT place;
            GetWindowRect(option, &place);
            if (IsWindowVisible(option) && PtInRect(&place, point))
                return answer_object(client_object(option), child);
        }
        child->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~OptionGroup() override = default;

    // The option button that child numbers, from 1, or null.
    HWND option_at(const VARIANT& child) const {
        if (child.vt != VT_I4 || child.lVal < 1) return nullptr;
        const std::vector<HWND> options = options_of(m_window);
        const auto at = static_cast<std::size_t>(child.lVal);
        return at <= options.size() ? options[at - 1] : nullptr;
    }

    HWND m_window;
    HWND m_heading;
};

} // namespace

IDispatch* make_option_group(HWND option, HWND heading) {
    if (!ole().from_window) return nullptr;
    return new OptionGroup(GetParent(option), heading);
}

} // namespace rt
