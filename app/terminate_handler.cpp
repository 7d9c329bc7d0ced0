#include <cstdlib>

// The Windows program links its C++ library statically. The library's default
// terminate handler prints the demangled type of an escaped exception, and
// with it comes the whole demangler and a printf: a sixth of the program's
// size. Nothing should escape (the runtime reports its own errors and ends the
// program), so if something does, end at once as the plain handler would.
namespace __gnu_cxx {
[[noreturn]] void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
