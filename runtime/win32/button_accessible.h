#pragma once

#include <windows.h>

namespace rt {

// Answers WM_GETOBJECT for a button with the system's own accessible object
// for it, whose default action (what a screen reader's "press" or a switch
// tool's "activate" calls) clicks the button with BM_CLICK, as a person
// would: the click then takes the one path of every click, BN_CLICKED.
// The role, state and action's name come from the button itself; an option
// button's parent is the grouping of the window's option buttons, named by
// heading's caption (see option_group_accessible.h) when heading is not
// null. Returns 0 when the request is not for the button's client object.
//
// oleacc is loaded only when assistive technology first asks, so that a
// start without it costs nothing.
LRESULT answer_accessible_object(HWND button, WPARAM w, LPARAM l, HWND heading);

} // namespace rt
