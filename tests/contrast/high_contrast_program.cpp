// The program, with high contrast turned on while its window is open, as a
// person turns it on in the system's settings. Wine reports high contrast as
// always off (SPI_GETHIGHCONTRAST), so the window reads it through this
// program's reader instead, and learns of the change as Windows tells it:
// by WM_SETTINGCHANGE for SPI_SETHIGHCONTRAST, once the window is drawn.

#include "form/quenlor_form.h"
#include "runtime/form.h"
#include "runtime/win32/win32_backend.h"

namespace {

bool high_contrast = false;

bool read_high_contrast() {
    return high_contrast;
}

} // namespace

int main() {
    rt::Win32Backend backend(read_high_contrast);
    rt::Form form(quenlor::form(), backend, quenlor::title);
    if (!form.open()) return form.exit_status();
    high_contrast = true;
    SendMessageW(backend.window(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    const int status = backend.run();
    return form.ended() ? form.exit_status() : status;
}
