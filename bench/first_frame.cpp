// Starts a program and times, from outside it, how long until the X server
// receives the first drawing into its window; then reads the program's peak
// memory. The program needs no hook of ours: any program with a window will do.
//
// usage: first_frame <program> [argument]...
// prints: first_frame_us <n> vmhwm_kb <n> window <width>x<height>

#include "bench/program.h"
#include "bench/x11/display_watch.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Peak resident memory of a process, in KiB, from the kernel's own count.
long peak_memory_kib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: first_frame <program> [argument]...\n");
        return 2;
    }
    bench::DisplayWatch watch;
    watch.drain();

    const auto started = bench::Clock::now();
    const pid_t pid = bench::start_program(argv + 1);
    const auto first = watch.wait_for_first_frame(started + 60s);
    if (!first) {
        std::fprintf(stderr, "first_frame: %s drew no window\n", argv[1]);
        bench::stop_program(pid);
        return 1;
    }
    // Let the program finish starting before its peak memory is read.
    std::this_thread::sleep_for(1s);
    const long peak = peak_memory_kib(pid);
    bench::stop_program(pid);

    const auto elapsed =
        std::chrono::duration_cast<std::chrono::microseconds>(first->drawn - started);
    std::printf("first_frame_us %lld vmhwm_kb %ld window %dx%d\n",
                static_cast<long long>(elapsed.count()), peak, first->window.width,
                first->window.height);
    return 0;
}
