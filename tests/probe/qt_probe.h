#pragma once

#include "runtime/qt/qt_backend.h"
#include "tests/probe/window_probe.h"

namespace probe {

// The Qt window of a probe that make_probe() made, for a test that plants a
// fault in its widgets.
const rt::QtBackend& qt_window(const WindowProbe& probe);

} // namespace probe
