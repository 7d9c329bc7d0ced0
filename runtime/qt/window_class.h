#pragma once

#include <string_view>

class QWidget;

namespace rt {

// Names the top-level window's class on X11 (both parts of WM_CLASS) as
// desktop_id, the name of the program's desktop entry, so that docks and
// task switchers match the window to its launcher and icon. The toolkit's
// own class would be the application's name with a capital first letter.
// Elsewhere (Wayland's app id comes from the application) it does nothing.
void set_window_class(QWidget& window, std::string_view desktop_id);

} // namespace rt
