// How long Command1_Click(0) takes in the page with every title ticked: the
// summary is the longest text the program builds, and the web backend writes
// it into the page's text box each time.

#include "form/procedures.h"
#include "form/quenlor_form.h"
#include "runtime/form.h"
#include "runtime/web/web_backend.h"

#include <emscripten.h>

#include <algorithm>
#include <string>

int main() {
    rt::WebBackend window;
    rt::Form form(quenlor::form(), window, quenlor::title);
    form.open();
    for (rt::Index i = 0; i <= 5; ++i) form["Check1"].Item(i).set_Value(rt::Checked);
    for (rt::Index i = 0; i <= 6; ++i) form["Check2"].Item(i).set_Value(rt::Checked);

    // The fastest of many batches: the browser compiles the code again,
    // optimised, while the first ones run.
    constexpr int batches = 40;
    constexpr int rounds = 1000;
    double microseconds = 1e9;
    for (int batch = 0; batch < batches; ++batch) {
        const double start = emscripten_get_now();
        for (int i = 0; i < rounds; ++i) quenlor::Command1_Click(form, 0);
        microseconds = std::min(microseconds, (emscripten_get_now() - start) * 1000.0 / rounds);
    }
    const std::string result =
        "window.quenlorClick = {microseconds: " + std::to_string(microseconds) +
        ", bytes: " + std::to_string(form["Text1"].Item(0).Text().size()) + "}";
    emscripten_run_script(result.c_str());
    return 0;
}
