#pragma once

#include <ole2.h>
#include <windows.h>

namespace rt {

// The accessible object of a window's option buttons taken together: a
// grouping named by the heading's caption, whose children are the option
// buttons in the window's order, and which is each option button's
// accessible parent. Screen readers that walk a focused button's parents
// (NVDA, JAWS) say the group's name on entering it. It exists only for
// assistive technology: no window stands behind it, so the window looks and
// answers input as without it. Null when oleacc cannot be loaded.
IDispatch* make_option_group(HWND option, HWND heading);

} // namespace rt
