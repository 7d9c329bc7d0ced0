#include "runtime/win32/button_accessible.h"

#include "runtime/win32/counted_accessible.h"
#include "runtime/win32/ole_functions.h"
#include "runtime/win32/option_group_accessible.h"

#include <ole2.h>
#include <oleacc.h>

namespace rt {

namespace {

bool is_self(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

LONG button_type(HWND button) {
    return GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK;
}

bool is_check_box(LONG type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE;
}

bool is_radio(LONG type) {
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

// The system's accessible object for a button, with what it does by default
// and what it is told by the button itself.
class ButtonAccessible final : public CountedAccessible {
public:
    ButtonAccessible(HWND button, IAccessible* standard, HWND heading)
        : m_button(button), m_standard(standard), m_heading(heading) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object) return E_POINTER;
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return m_standard->QueryInterface(id, object);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return m_standard->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT at, LCID locale, ITypeInfo** info) override {
        return m_standard->GetTypeInfo(at, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return m_standard->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument_error) override {
        return m_standard->Invoke(member, id, locale, flags, parameters, result, exception,
                                  argument_error);
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (parent && m_heading && is_radio(button_type(m_button)))
            if ((*parent = make_option_group(m_button, m_heading))) return S_OK;
        return m_standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return m_standard->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return m_standard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return m_standard->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return m_standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return m_standard->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!is_self(child)) return m_standard->get_accRole(child, role);
        const LONG type = button_type(m_button);
        role->vt = VT_I4;
        role->lVal = is_check_box(type) ? ROLE_SYSTEM_CHECKBUTTON
                     : is_radio(type)   ? ROLE_SYSTEM_RADIOBUTTON
                                        : ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!is_self(child)) return m_standard->get_accState(child, state);
        LONG flags = STATE_SYSTEM_FOCUSABLE;
        if (!IsWindowVisible(m_button)) flags |= STATE_SYSTEM_INVISIBLE;
        if (!IsWindowEnabled(m_button)) flags |= STATE_SYSTEM_UNAVAILABLE;
        if (GetFocus() == m_button) flags |= STATE_SYSTEM_FOCUSED;
        const LRESULT check = SendMessageW(m_button, BM_GETCHECK, 0, 0);
        if (check == BST_CHECKED) flags |= STATE_SYSTEM_CHECKED;
        if (check == BST_INDETERMINATE) flags |= STATE_SYSTEM_MIXED;
        state->vt = VT_I4;
        state->lVal = flags;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return m_standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return m_standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return m_standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return m_standard->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return m_standard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!is_self(child)) return m_standard->get_accDefaultAction(child, action);
        const LONG type = button_type(m_button);
        const bool checked = SendMessageW(m_button, BM_GETCHECK, 0, 0) == BST_CHECKED;
        const wchar_t* name = L"Press";
        if (is_radio(type) || (is_check_box(type) && !checked)) name = L"Check";
        if (is_check_box(type) && checked) name = L"Uncheck";
        *action = ole().alloc_string ? ole().alloc_string(name) : nullptr;
        return *action ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return m_standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return m_standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return m_standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return m_standard->accHitTest(x, y, child);
    }
    // A hidden or disabled button has no action, as a person cannot reach it.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!is_self(child)) return m_standard->accDoDefaultAction(child);
        if (!IsWindowVisible(m_button) || !IsWindowEnabled(m_button)) return DISP_E_MEMBERNOTFOUND;
        PostMessageW(m_button, BM_CLICK, 0, 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return m_standard->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return m_standard->put_accValue(child, value);
    }

private:
    ~ButtonAccessible() override { m_standard->Release(); }

    HWND m_button;
    IAccessible* m_standard;
    HWND m_heading;
};

} // namespace

LRESULT answer_accessible_object(HWND button, WPARAM w, LPARAM l, HWND heading) {
    if (static_cast<LONG>(l) != OBJID_CLIENT) return 0;
    const OleFunctions& functions = ole();
    if (!functions.create_standard || !functions.result_from_object) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(functions.create_standard(button, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard))))
        return 0;
    auto* object = new ButtonAccessible(button, standard, heading);
    const LRESULT result = functions.result_from_object(__uuidof(IAccessible), w, object);
    object->Release();
    return result;
}

} // namespace rt
