#pragma once

#include <memory>
#include <string_view>

class QApplication;

namespace rt {

// The exit status when there is no display to open the window on, or when
// the display goes away while the window is open.
inline constexpr int no_display_exit_status = 2;

// Connects the program to the desktop's display, Wayland or X11, as the
// application that the desktop knows by desktop_id (its desktop entry's name).
// Without a display, or when the connection later breaks, it writes one line
// to standard error, "<title>: ...", and ends the process with
// no_display_exit_status: the toolkit would abort, or exit with its own words.
// When the display named cannot be opened, the line names it, and the
// toolkit's own messages follow, before the same exit.
std::unique_ptr<QApplication> connect_to_display(std::string_view title,
                                                 std::string_view desktop_id);

} // namespace rt
