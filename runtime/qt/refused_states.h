#pragma once

class QWidget;

namespace rt {

// Makes the top-level window of a fixed window without maximise and minimise
// boxes give back the maximised and full-screen states whenever the desktop
// (its window manager or compositor, or another program asking it) sets
// them: the window returns to the place and size it had. Minimising is left
// to the desktop, which offers it by its own keys.
void refuse_maximised_and_full_screen(QWidget& window);

} // namespace rt
