#pragma once

#include <windows.h>

namespace rt {

// Draws an owner-drawn command button flat in its back colour inside a
// raised edge, sunken while pressed, with a dotted focus rectangle; its
// caption in text_colour, the colour that goes with that back colour.
void draw_graphical_button(const DRAWITEMSTRUCT& item, COLORREF back_colour, COLORREF text_colour,
                           HFONT font);

} // namespace rt
