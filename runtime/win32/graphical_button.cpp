#include "runtime/win32/graphical_button.h"

#include "runtime/win32/wide_text.h"

namespace rt {

void draw_graphical_button(const DRAWITEMSTRUCT& item, COLORREF back_colour, COLORREF text_colour,
                           HFONT font) {
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;

    HBRUSH fill = CreateSolidBrush(back_colour);
    FillRect(dc, &rect, fill);
    DeleteObject(fill);
    DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    const std::wstring caption = window_text(item.hwndItem);
    RECT text = rect;
    InflateRect(&text, -2, -2);
    if (pressed) OffsetRect(&text, 1, 1);
    const HGDIOBJ old_font = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text_colour);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old_font);

    if (item.itemState & ODS_FOCUS) {
        RECT focus = rect;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

} // namespace rt
