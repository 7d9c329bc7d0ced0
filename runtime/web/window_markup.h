#pragma once

#include "runtime/types.h"

#include <optional>
#include <string>

namespace rt {
class FormReports;
}

// The window as HTML. The program writes it into the page when it opens the
// window, and the build writes it into the page's HTML, so that the window
// shows from the page's first byte and is the same either way.
namespace rt::web {

// The window's element, its children the controls' elements in row order,
// showing each control's present state, and after them the elements of class
// quenlor-assistive, which show nothing: the option buttons' radio group and
// the live region. Hidden unless shown.
std::string window_markup(const FormReports& form, bool shown);

// "#rrggbb", or "" for the platform's default.
std::string css_colour(std::optional<Colour> colour);

} // namespace rt::web
