// Times, from outside the program, how long a user's click takes to reach the
// screen: from the click the X server is given to the last drawing it then
// receives in the part of the window that the click changes.
//
// Each round chooses a kind of news ("switch": the titles change), ticks all
// its titles, presses Изведи ("write out": the text box fills), then Изтрий.
//
// usage: click_to_screen <quenlor> [rounds]
// prints: switch_us <median> <max> write_out_us <median> <max>

#include "bench/program.h"
#include "bench/x11/display_watch.h"
#include "form/control_names.h"
#include "form/quenlor_form.h"
#include "runtime/geometry.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

using namespace std::chrono_literals;
using bench::Box;
using bench::Clock;

constexpr int dpi = 96;

Box place(std::string_view array, rt::Index index) {
    for (const rt::ControlDefinition& control : quenlor::controls()) {
        if (control.array == array && control.index == index) {
            const rt::PixelRect r = rt::to_pixels(control.rect, dpi);
            return {r.left, r.top, r.width, r.height};
        }
    }
    std::fprintf(stderr, "click_to_screen: no %.*s(%d)\n", static_cast<int>(array.size()),
                 array.data(), index);
    std::exit(1);
}

Box bounds(const Box& a, const Box& b) {
    const int left = std::min(a.x, b.x);
    const int top = std::min(a.y, b.y);
    return {left, top, std::max(a.x + a.width, b.x + b.width) - left,
            std::max(a.y + a.height, b.y + b.height) - top};
}

class Window {
public:
    Window(bench::DisplayWatch& watch, const Box& frame) : m_watch(watch), m_frame(frame) {}

    Box on_screen(const Box& box) const {
        return {box.x + m_frame.x, box.y + m_frame.y, box.width, box.height};
    }

    // Clicks the middle of a control; returns how long until the last
    // drawing in `changes` (in window coordinates).
    Clock::duration click(const Box& control, const Box& changes) {
        m_watch.drain();
        const Box target = on_screen(control);
        const auto clicked = Clock::now();
        m_watch.click(target.x + target.width / 2, target.y + target.height / 2);
        const auto last = m_watch.last_damage(on_screen(changes), clicked, 100ms);
        if (last == clicked) {
            std::fprintf(stderr, "click_to_screen: a click at (%d, %d) changed nothing\n",
                         control.x, control.y);
            std::exit(1);
        }
        return last - clicked;
    }

private:
    bench::DisplayWatch& m_watch;
    Box m_frame;
};

long long median_us(std::vector<Clock::duration> samples) {
    std::sort(samples.begin(), samples.end());
    return std::chrono::duration_cast<std::chrono::microseconds>(samples[samples.size() / 2])
        .count();
}

long long max_us(const std::vector<Clock::duration>& samples) {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               *std::max_element(samples.begin(), samples.end()))
        .count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: click_to_screen <quenlor> [rounds]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;

    bench::DisplayWatch watch;
    watch.drain();
    char* const program[] = {argv[1], nullptr};
    const pid_t pid = bench::start_program(program);
    const auto first = watch.wait_for_first_frame(Clock::now() + 60s);
    if (!first) {
        std::fprintf(stderr, "click_to_screen: %s drew no window\n", argv[1]);
        bench::stop_program(pid);
        return 1;
    }
    const Box& frame = first->window;
    watch.last_damage(frame, Clock::now(), 300ms);
    Window window(watch, frame);

    const Box titles = bounds(bounds(place(quenlor::Check1, 0), place(quenlor::Check1, 5)),
                              bounds(place(quenlor::Check2, 0), place(quenlor::Check2, 6)));
    const Box text = place(quenlor::Text1, 0);
    std::vector<Clock::duration> switches;
    std::vector<Clock::duration> write_outs;
    for (int round = 0; round < rounds; ++round) {
        const rt::Index kind = static_cast<rt::Index>(round % 2);
        switches.push_back(window.click(place(quenlor::Option1, kind), titles));
        const std::string_view group = kind == 0 ? quenlor::Check1 : quenlor::Check2;
        const rt::Index last = kind == 0 ? 5 : 6;
        for (rt::Index i = 0; i <= last; ++i) window.click(place(group, i), place(group, i));
        write_outs.push_back(window.click(place(quenlor::Command1, 0), text));
        window.click(place(quenlor::Command1, 1), text);
    }
    bench::stop_program(pid);

    std::printf("switch_us %lld %lld write_out_us %lld %lld\n", median_us(switches),
                max_us(switches), median_us(write_outs), max_us(write_outs));
    return 0;
}
