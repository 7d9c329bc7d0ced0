#include "runtime/form_reports.h"
#include "runtime/win32/button_accessible.h"
#include "runtime/win32/check_state.h"
#include "runtime/win32/graphical_button.h"
#include "runtime/win32/wide_text.h"
#include "runtime/win32/win32_backend.h"

#include <algorithm>
#include <string_view>
#include <utility>

// The form's window: its class, its controls and their layout, its window
// procedure and the buttons', and its colours.
namespace rt {

namespace {

constexpr wchar_t window_class[] = L"QuenlorForm";

HINSTANCE instance() {
    return GetModuleHandleW(nullptr);
}

// Looks a user32 function up by name: the newer DPI functions are missing on
// older Windows.
template <typename Function> Function user32_function(const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

int window_dpi(HWND window) {
    using GetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto get_dpi = user32_function<GetDpiForWindow>("GetDpiForWindow");
    if (get_dpi)
        if (const UINT dpi = get_dpi(window)) return static_cast<int>(dpi);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The outer size of a window whose client area is client: the frame comes
// from the system, never from guessed border sizes.
SIZE window_size(SIZE client, DWORD style, DWORD ex_style, int dpi) {
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust_for_dpi = user32_function<AdjustForDpi>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, client.cx, client.cy};
    if (adjust_for_dpi)
        adjust_for_dpi(&rect, style, FALSE, ex_style, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&rect, style, FALSE, ex_style);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// A window of fixed size with a close box alone.
constexpr DWORD window_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

// Gives the window the icon of that id in the executable's resources, in the
// sizes of its caption and of the task switcher.
void set_icon(HWND window, int id) {
    if (id == 0) return;
    const auto load = [id](int across, int down) {
        return reinterpret_cast<LPARAM>(LoadImageW(instance(), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                   across, down, LR_DEFAULTCOLOR | LR_SHARED));
    };
    SendMessageW(window, WM_SETICON, ICON_BIG,
                 load(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
    SendMessageW(window, WM_SETICON, ICON_SMALL,
                 load(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)));
}

// A button takes "&" as the mark of an access key; a caption has none.
std::wstring button_caption(std::string_view text) {
    std::wstring caption;
    for (wchar_t letter : widen(text)) {
        if (letter == L'&') caption += L'&';
        caption += letter;
    }
    return caption;
}

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD ex_style;
};

// Option buttons and check boxes are the manual kinds: the runtime decides
// what a click makes of them and writes it back.
ControlClass control_class(const ControlDefinition& control) {
    switch (control.kind) {
    case ControlKind::Label: {
        const DWORD align = control.alignment == Alignment::Centre ? SS_CENTER : SS_LEFT;
        return {L"STATIC", SS_NOPREFIX | align, 0};
    }
    case ControlKind::OptionButton:
        return {L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0};
    case ControlKind::CheckBox:
        return {L"BUTTON", BS_3STATE | WS_TABSTOP, 0};
    case ControlKind::CommandButton: {
        const bool graphical = control.style == ButtonStyle::Graphical && control.back_colour;
        const DWORD type = graphical ? BS_OWNERDRAW : BS_PUSHBUTTON;
        return {L"BUTTON", type | WS_TABSTOP, 0};
    }
    case ControlKind::TextBox: {
        DWORD style = WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL;
        if (control.locked) style |= ES_READONLY;
        if (control.scroll_bars == ScrollBars::Vertical) style |= WS_VSCROLL;
        return {L"EDIT", style, WS_EX_CLIENTEDGE};
    }
    }
    return {L"STATIC", 0, 0};
}

} // namespace

Win32Backend::Win32Backend(HighContrastReader reader) : m_high_contrast(reader) {
    static const bool registered = [] {
        WNDCLASSEXW window{};
        window.cbSize = sizeof window;
        window.lpfnWndProc = window_procedure;
        window.hInstance = instance();
        window.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        window.lpszClassName = window_class;
        return RegisterClassExW(&window) != 0;
    }();
    (void)registered;
}

Win32Backend::~Win32Backend() {
    if (m_window) DestroyWindow(m_window);
    if (m_font) DeleteObject(m_font);
}

void Win32Backend::create(FormReports& form) {
    m_form = &form;
    const WindowDefinition& definition = form.definition().window;
    m_colours.emplace(form.definition(), m_high_contrast);
    CreateWindowExW(0, window_class, widen(definition.caption).c_str(), window_style, CW_USEDEFAULT,
                    CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance(), this);
    set_icon(m_window, definition.icon.id);
    m_dpi = window_dpi(m_window);
    for (Row row = 0; row < form.size(); ++row) m_controls.push_back(create_control(row));
    lay_out();
}

HWND Win32Backend::create_control(Row row) {
    const ControlDefinition& control = m_form->control(row);
    const ControlState& state = m_form->state(row);
    const ControlClass kind = control_class(control);
    const bool owner_drawn = (kind.style & BS_TYPEMASK) == BS_OWNERDRAW;
    const std::wstring text =
        control.kind == ControlKind::Label || owner_drawn || control.kind == ControlKind::TextBox
            ? widen(state.text)
            : button_caption(state.text);
    const DWORD style = WS_CHILD | kind.style | (state.visible ? WS_VISIBLE : 0);
    HWND handle =
        CreateWindowExW(kind.ex_style, kind.name, text.c_str(), style, 0, 0, 0, 0, m_window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(row)), instance(), nullptr);
    if (control.kind == ControlKind::OptionButton || control.kind == ControlKind::CheckBox)
        SendMessageW(handle, BM_SETCHECK, check_state(state.value), 0);
    if (std::wstring_view(kind.name) == L"BUTTON") {
        // The button class's own procedure is kept in the button's user data,
        // which the class leaves to the program.
        const LONG_PTR class_procedure =
            SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(button_procedure));
        SetWindowLongPtrW(handle, GWLP_USERDATA, class_procedure);
    }
    if (control.kind == ControlKind::TextBox) SendMessageW(handle, EM_SETLIMITTEXT, 0, 0);
    return handle;
}

// Places every control and sizes the window for the current dots per inch,
// with the form's font made for them.
void Win32Backend::lay_out() {
    const WindowDefinition& definition = m_form->definition().window;
    const FontDefinition& font = definition.font;
    HFONT old_font = m_font;
    m_font =
        CreateFontW(-points_to_pixels(font.points, m_dpi), 0, 0, 0, font.weight, FALSE, FALSE,
                    FALSE, static_cast<BYTE>(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, widen(font.name).c_str());
    for (Row row = 0; row < m_controls.size(); ++row) {
        const PixelRect place = to_pixels(m_form->control(row).rect, m_dpi);
        SetWindowPos(m_controls[row], nullptr, place.left, place.top, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(m_controls[row], WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
    }
    if (old_font) DeleteObject(old_font);

    const SIZE client{to_pixels(definition.client_width, m_dpi),
                      to_pixels(definition.client_height, m_dpi)};
    const SIZE outer = window_size(client, window_style, 0, m_dpi);
    SetWindowPos(m_window, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Win32Backend::window_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<Win32Backend*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY && self) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_window = nullptr;
        self = nullptr;
    }
    if (!self) return DefWindowProcW(window, message, w, l);
    return self->handle_message(message, w, l);
}

// Every button passes through here first: it marks where an option button
// takes the focus (see on_command). A check set by anyone but the runtime
// (another program, an assistive tool) is reported to the runtime as the
// mark it sets, and the runtime writes back what it accepts: the button
// shows no state the runtime does not hold.
LRESULT CALLBACK Win32Backend::button_procedure(HWND control, UINT message, WPARAM w, LPARAM l) {
    const auto class_procedure =
        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA));
    auto* self =
        reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(GetParent(control), GWLP_USERDATA));
    if (!self) return CallWindowProcW(class_procedure, control, message, w, l);
    switch (message) {
    case WM_SETFOCUS: {
        const bool was_focusing = std::exchange(self->m_focusing_option, true);
        const LRESULT result = CallWindowProcW(class_procedure, control, message, w, l);
        self->m_focusing_option = was_focusing;
        return result;
    }
    case BM_SETCHECK:
        if (self->m_writing_value) break;
        if (const std::optional<Row> row = self->row_of(control))
            self->m_form->user_set_mark(*row, mark_of_check(w));
        return 0;
    case WM_GETOBJECT:
        if (const LRESULT object = answer_accessible_object(control, w, l, self->heading()))
            return object;
        break;
    }
    return CallWindowProcW(class_procedure, control, message, w, l);
}

LRESULT Win32Backend::handle_message(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_COMMAND:
        if (l != 0)
            if (const std::optional<Row> row = row_of(reinterpret_cast<HWND>(l)))
                on_command(*row, HIWORD(w));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        return on_control_colour(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l), message, w,
                                 l);
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(l);
        const std::optional<Row> row = row_of(item.hwndItem);
        if (!row) break;
        const ColourPair colours = m_colours->button(*row);
        draw_graphical_button(item, colours.back, colours.text, m_font);
        return TRUE;
    }
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(m_window, &client);
        FillRect(reinterpret_cast<HDC>(w), &client, m_colours->form().brush);
        return 1;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        on_colours_changed(message);
        break;
    case WM_ACTIVATE:
        // The window keeps the control that has the focus while another
        // window is active (focus(), set_focus()), and gives it back.
        m_active = LOWORD(w) != WA_INACTIVE;
        if (!m_active)
            m_saved_focus = GetFocus();
        else if (m_saved_focus)
            SetFocus(m_saved_focus);
        return 0;
    case WM_DPICHANGED: {
        m_dpi = HIWORD(w);
        const RECT& suggested = *reinterpret_cast<const RECT*>(l);
        SetWindowPos(m_window, nullptr, suggested.left, suggested.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        lay_out();
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(m_end_status.value_or(0));
        return 0;
    }
    return DefWindowProcW(m_window, message, w, l);
}

// A button reports a click, whatever made it (the mouse, an assistive tool's
// BM_CLICK), and the runtime decides what it does. The button class also
// reports one whenever an unchecked radio button gains the focus, by Tab as
// much as by mouse: that one is not the user's.
void Win32Backend::on_command(Row row, WORD code) {
    switch (m_form->control(row).kind) {
    case ControlKind::OptionButton:
    case ControlKind::CheckBox:
    case ControlKind::CommandButton:
        if ((code == BN_CLICKED || code == BN_DOUBLECLICKED) && !m_focusing_option)
            m_form->user_clicked(row);
        return;
    case ControlKind::TextBox:
        if (code == EN_CHANGE && !m_writing_text)
            m_form->user_set_text(row, narrow(window_text(m_controls[row])));
        return;
    case ControlKind::Label:
        return;
    }
}

// Fills each control's whole rectangle with its background and draws its text
// in the colour that goes with it. A text box keeps the system's window
// colours even when locked, where the system would gray it.
LRESULT Win32Backend::on_control_colour(HDC dc, HWND control, UINT message, WPARAM w, LPARAM l) {
    const std::optional<Row> row = row_of(control);
    const std::optional<ColourPair> colours = row ? m_colours->control(*row) : std::nullopt;
    if (!colours) return DefWindowProcW(m_window, message, w, l);
    SetTextColor(dc, colours->text);
    SetBkColor(dc, colours->back);
    return reinterpret_cast<LRESULT>(colours->brush);
}

// The system's colours change live, high contrast with them: every control
// draws again in the colours that now apply.
void Win32Backend::on_colours_changed(UINT message) {
    const bool changed = m_colours->refresh();
    if (!changed && message != WM_SYSCOLORCHANGE) return;
    RedrawWindow(m_window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

std::optional<Row> Win32Backend::row_of(HWND control) const {
    const auto found = std::find(m_controls.begin(), m_controls.end(), control);
    if (found == m_controls.end()) return std::nullopt;
    return static_cast<Row>(found - m_controls.begin());
}

std::optional<Row> Win32Backend::focus() const {
    return row_of(m_active ? GetFocus() : m_saved_focus);
}

// While another window is active, the control gets the focus when the window
// comes back, without taking the activation from that window.
void Win32Backend::set_focus(Row row) {
    if (m_active)
        SetFocus(m_controls.at(row));
    else
        m_saved_focus = m_controls.at(row);
}

} // namespace rt
