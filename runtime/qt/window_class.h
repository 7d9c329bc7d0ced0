#pragma once

#include <string_view>

class QWidget;

namespace rt {

// Names the top-level window on X11 as desktop_id, the name of the program's
// desktop entry, so that docks and task switchers match the window to its
// launcher and icon: both parts of WM_CLASS (the toolkit's own class would be
// the application's name with a capital first letter), and KDE's desktop-file
// name, which the toolkit sets only on Wayland (as the app id). Elsewhere it
// does nothing.
void set_window_class(QWidget& window, std::string_view desktop_id);

} // namespace rt
