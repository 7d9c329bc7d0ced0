#pragma once

#include <QWidget>

#include <memory>

namespace rt {

// The frame of a fixed window under Wayland, drawn by the program: a title
// bar with the window's icon, caption and close button, and a thin border,
// around the form's window, which it holds at its own size. The toolkit's
// Wayland decoration offers minimise, maximise and a resizing border
// whatever the window allows; this one offers only moving and closing.
class WaylandFrame final : public QWidget {
public:
    // close_name is what assistive technology calls the close button.
    WaylandFrame(QWidget& form_window, const QString& close_name);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// The frame that the form's window needs on this platform, holding it, or
// null where the window is its own top-level window: Wayland's alone.
std::unique_ptr<QWidget> make_frame(QWidget& form_window, const QString& close_name);

} // namespace rt
