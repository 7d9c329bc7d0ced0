// Runs the test program's cases in the page and leaves the outcome where the
// runner in the browser's debugging protocol reads it.

#include <emscripten.h>
#include <gtest/gtest.h>

#include <string>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    std::fflush(stdout);
    emscripten_run_script(("window.quenlorTestStatus = " + std::to_string(status)).c_str());
    return status;
}
