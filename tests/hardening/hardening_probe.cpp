// Built with the same options as the program, this does what those options
// guard against and the program itself never does, so that its file and a run
// show whether the protection is there: a write past a buffer whose size is
// known only at run time, one past a buffer of fixed size, and a stack frame
// whose size is known only at run time.
//
// usage: hardening_probe run-time-size|fixed-size
// A checked build ends in the checked call; exit status 0 means nothing caught.
// Each buffer is handed to an empty asm, so that the optimiser keeps the write.
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

[[gnu::noinline]] void overrun_run_time_size(std::size_t size) {
    auto* buffer = static_cast<char*>(std::malloc(size));
    // One byte past the end; still inside the allocator's rounding.
    std::memset(buffer, 'x', size + 1);
    asm volatile("" : : "r"(buffer) : "memory");
    std::free(buffer);
}

[[gnu::noinline]] void overrun_fixed_size(std::size_t extra) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer + extra);
    asm volatile("" : : "r"(buffer) : "memory");
}

[[gnu::noinline]] void frame_of_run_time_size(std::size_t pages) {
    auto* frame = static_cast<char*>(__builtin_alloca(pages * 4096));
    std::memset(frame, 0, pages * 4096);
    asm volatile("" : : "r"(frame) : "memory");
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view kind = argc > 1 ? argv[1] : "";
    const auto one = static_cast<std::size_t>(argc - 1); // not known when compiling
    frame_of_run_time_size(one);
    if (kind == "run-time-size")
        overrun_run_time_size(one);
    else if (kind == "fixed-size")
        overrun_fixed_size(one);
    else
        return 2;
    return 0;
}
