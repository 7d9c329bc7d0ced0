// Runs the test program's cases in the page as a computation that can wait
// for the page (WebAssembly.promising), so that the probe's input import can
// await real input from the runner; the outcome goes to page_storm_start.js.

#include <emscripten.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

int run_all_tests() {
    const int status = RUN_ALL_TESTS();
    std::fflush(stdout);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const auto entry = reinterpret_cast<std::intptr_t>(&run_all_tests);
    emscripten_run_script(("WebAssembly.promising(quenlorFunctions.get(" + std::to_string(entry) +
                           "))().then(quenlorEnded, function(error) {"
                           "  console.error(String(error)); quenlorEnded(1); });")
                              .c_str());
    return 0;
}
