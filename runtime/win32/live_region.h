#pragma once

#include <windows.h>

namespace rt {

// Has screen readers say a standard control's new text: the control is
// marked a polite live region (UI Automation's LiveSetting, set through
// oleacc's property services) and raises EVENT_OBJECT_LIVEREGIONCHANGED, on
// which Narrator and NVDA read its text without moving the focus. The mark
// is made on the control's first announcement, so that a start without
// assistive technology loads no COM.
void announce_politely(HWND control);

} // namespace rt
