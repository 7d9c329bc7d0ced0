// The native window on a screen of another density: every place and the
// font scale with the dots per inch, so the window is drawn crisp, not
// stretched. Run with the dots per inch the screen was set to.

#include "form/quenlor_form.h"
#include "runtime/form.h"
#include "runtime/win32/win32_backend.h"
#include "tests/window_expectations.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

int screen_dpi = 96;

// A length at 96 dpi, scaled and rounded half up, as an edge is.
int scaled(int pixels) {
    return (pixels * screen_dpi + 48) / 96;
}

TEST(NativeWindowDpi, EveryPlaceAndTheFontScaleWithTheScreen) {
    rt::Win32Backend backend;
    rt::Form form(quenlor::form(), backend, quenlor::title);
    ASSERT_TRUE(form.open());
    ASSERT_EQ(backend.dpi(), screen_dpi) << "the window takes the screen's dots per inch";

    RECT client;
    GetClientRect(backend.window(), &client);
    EXPECT_EQ(client.right, scaled(expected::client_width()));
    EXPECT_EQ(client.bottom, scaled(expected::client_height()));
    for (const expected::Place& place : expected::places()) {
        HWND control = backend.control(form.find(place.array, rt::Index(place.index)).value());
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, backend.window(), reinterpret_cast<POINT*>(&rect), 2);
        const std::string name = place.array + std::to_string(place.index);
        EXPECT_EQ(rect.left, scaled(place.left)) << name;
        EXPECT_EQ(rect.top, scaled(place.top)) << name;
        EXPECT_EQ(rect.right, scaled(place.left + place.width)) << name;
        EXPECT_EQ(rect.bottom, scaled(place.top + place.height)) << name;
    }
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(backend.control(0), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -scaled(16)) << "12 points";
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // The program declares this in its manifest; a test program has none.
    SetProcessDPIAware();
    if (argc > 1) screen_dpi = std::atoi(argv[1]);
    return RUN_ALL_TESTS();
}
