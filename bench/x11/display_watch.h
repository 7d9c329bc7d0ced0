#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <optional>

namespace bench {

using Clock = std::chrono::steady_clock;

struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool intersects(const Box& other) const;
};

// Watches an X display from outside any program on it: which top-level
// window is mapped next, and when the server is told to draw into a part of
// the screen (the damage extension, on the root window, sees every drawing
// request). It can also move the pointer and click, as a user would.
class DisplayWatch {
public:
    DisplayWatch();
    ~DisplayWatch();
    DisplayWatch(const DisplayWatch&) = delete;
    DisplayWatch& operator=(const DisplayWatch&) = delete;

    // The next top-level window mapped, in root coordinates.
    std::optional<Box> wait_for_map(Clock::time_point deadline);

    // The next top-level window mapped and when the server first receives
    // drawing into it.
    struct FirstFrame {
        Box window;
        Clock::time_point drawn;
    };
    std::optional<FirstFrame> wait_for_first_frame(Clock::time_point deadline);

    // When the server next receives drawing that touches `area`.
    std::optional<Clock::time_point> wait_for_damage(const Box& area, Clock::time_point deadline);

    // Waits out a burst of drawing that touches `area`: returns when the last
    // drawing came, once none has come for `quiet`; `since` if none came.
    Clock::time_point last_damage(const Box& area, Clock::time_point since, Clock::duration quiet);

    // A left click at a point of the screen: press and release.
    void click(int x, int y);

    // Throws away whatever the server has reported so far.
    void drain();

private:
    struct Event;
    std::optional<Event> next_event(Clock::time_point deadline);

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = 0;
    unsigned m_damage_event = 0;
};

} // namespace bench
