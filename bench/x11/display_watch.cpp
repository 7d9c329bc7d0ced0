#include "bench/x11/display_watch.h"

#include <xcb/damage.h>
#include <xcb/xtest.h>

#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace bench {

bool Box::intersects(const Box& other) const {
    return x < other.x + other.width && other.x < x + width && y < other.y + other.height &&
           other.y < y + height;
}

struct DisplayWatch::Event {
    enum class Kind { map, damage } kind;
    Box box;
    Clock::time_point received;
};

namespace {

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

} // namespace

DisplayWatch::DisplayWatch() {
    int screen_number = 0;
    m_connection = xcb_connect(nullptr, &screen_number);
    if (xcb_connection_has_error(m_connection) != 0) {
        throw std::runtime_error("cannot open the X display");
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screen_number; ++i) {
        xcb_screen_next(&screens);
    }
    m_root = screens.data->root;

    const auto* damage = xcb_get_extension_data(m_connection, &xcb_damage_id);
    if (damage == nullptr || damage->present == 0) {
        throw std::runtime_error("the X server has no damage extension");
    }
    m_damage_event = damage->first_event + XCB_DAMAGE_NOTIFY;
    owned(xcb_damage_query_version_reply(m_connection, xcb_damage_query_version(m_connection, 1, 1),
                                         nullptr));

    const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &events);
    xcb_damage_create(m_connection, xcb_generate_id(m_connection), m_root,
                      XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    owned(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

DisplayWatch::~DisplayWatch() {
    xcb_disconnect(m_connection);
}

std::optional<DisplayWatch::Event> DisplayWatch::next_event(Clock::time_point deadline) {
    for (;;) {
        std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(
            xcb_poll_for_event(m_connection), &std::free);
        if (!event) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                return std::nullopt;
            }
            pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            if (poll(&fd, 1, static_cast<int>(left.count())) < 0 ||
                xcb_connection_has_error(m_connection) != 0) {
                throw std::runtime_error("lost the X display");
            }
            continue;
        }
        const auto received = Clock::now();
        const unsigned type = event->response_type & 0x7fU;
        if (type == m_damage_event) {
            const auto* damage = reinterpret_cast<const xcb_damage_notify_event_t*>(event.get());
            return Event{Event::Kind::damage,
                         {damage->area.x, damage->area.y, damage->area.width, damage->area.height},
                         received};
        }
        if (type == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
            if (map->override_redirect != 0) {
                continue;
            }
            const auto geometry = owned(xcb_get_geometry_reply(
                m_connection, xcb_get_geometry(m_connection, map->window), nullptr));
            if (!geometry) {
                continue;
            }
            return Event{Event::Kind::map,
                         {geometry->x, geometry->y, geometry->width, geometry->height},
                         received};
        }
    }
}

std::optional<Box> DisplayWatch::wait_for_map(Clock::time_point deadline) {
    while (const auto event = next_event(deadline)) {
        if (event->kind == Event::Kind::map) {
            return event->box;
        }
    }
    return std::nullopt;
}

std::optional<DisplayWatch::FirstFrame>
DisplayWatch::wait_for_first_frame(Clock::time_point deadline) {
    const auto window = wait_for_map(deadline);
    if (!window) return std::nullopt;
    const auto drawn = wait_for_damage(*window, deadline);
    if (!drawn) return std::nullopt;
    return FirstFrame{*window, *drawn};
}

std::optional<Clock::time_point> DisplayWatch::wait_for_damage(const Box& area,
                                                               Clock::time_point deadline) {
    while (const auto event = next_event(deadline)) {
        if (event->kind == Event::Kind::damage && event->box.intersects(area)) {
            return event->received;
        }
    }
    return std::nullopt;
}

Clock::time_point DisplayWatch::last_damage(const Box& area, Clock::time_point since,
                                            Clock::duration quiet) {
    auto last = since;
    while (const auto received = wait_for_damage(area, std::max(last, Clock::now()) + quiet)) {
        last = *received;
    }
    return last;
}

void DisplayWatch::click(int x, int y) {
    xcb_test_fake_input(m_connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_root,
                        static_cast<int16_t>(x), static_cast<int16_t>(y), 0);
    xcb_test_fake_input(m_connection, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, m_root, 0, 0, 0);
    xcb_test_fake_input(m_connection, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, m_root, 0, 0, 0);
    xcb_flush(m_connection);
}

void DisplayWatch::drain() {
    owned(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    while (next_event(Clock::now())) {
    }
}

} // namespace bench
